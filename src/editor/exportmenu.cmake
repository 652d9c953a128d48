target_sources(mirovane_editor PRIVATE
    exportmenucommands.cpp exportmenucommands.h
    importexportrunner.cpp importexportrunner.h
    exportwarnings.cpp exportwarnings.h
)
