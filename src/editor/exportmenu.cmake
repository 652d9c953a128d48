target_sources(mirovane_ui PRIVATE
    exportmenucommands.cpp exportmenucommands.h
    exportprogressrunner.cpp exportprogressrunner.h
)
