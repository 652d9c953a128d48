target_sources(mirovane_editor PRIVATE
    helpcommands.cpp helpcommands.h
    updateflow.cpp updateflow.h
)
