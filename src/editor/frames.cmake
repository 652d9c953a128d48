target_sources(mirovane_editor PRIVATE
    clipimportdialog.cpp clipimportdialog.h
    framecommands.cpp framecommands.h
)
