target_sources(mirovane_editor PRIVATE
    animationoptionsdialog.cpp animationoptionsdialog.h
    exportmenucommands.cpp exportmenucommands.h
    exportprogressrunner.cpp exportprogressrunner.h
    exportwarnings.cpp exportwarnings.h
)
