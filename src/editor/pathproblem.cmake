target_sources(mirovane_ui PRIVATE
    pathproblem.cpp pathproblem.h
)
