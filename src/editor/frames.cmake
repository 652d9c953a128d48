target_sources(mirovane_editor PRIVATE
    framecommands.cpp framecommands.h
)
