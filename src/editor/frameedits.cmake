target_sources(mirovane_editor PRIVATE
    frameeditcommands.cpp frameeditcommands.h
)
