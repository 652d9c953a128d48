target_sources(mirovane_ui PRIVATE
    helpcommands.cpp helpcommands.h
    updateflow.cpp updateflow.h
)
