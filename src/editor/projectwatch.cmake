target_sources(mirovane_editor PRIVATE
    projectfilewatch.cpp projectfilewatch.h
)
