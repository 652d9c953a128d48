target_sources(mirovane_editor PRIVATE
    exportmenucommands.cpp exportmenucommands.h
    exportprogressrunner.cpp exportprogressrunner.h
    exportwarnings.cpp exportwarnings.h
)
