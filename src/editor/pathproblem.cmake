target_sources(mirovane_editor PRIVATE
    pathproblem.cpp pathproblem.h
)
