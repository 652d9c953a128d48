target_sources(mirovane_editor PRIVATE
    clipimportflow.cpp clipimportflow.h
    framecommands.cpp framecommands.h
)
