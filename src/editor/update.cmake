target_sources(mirovane_ui PRIVATE
    updateflow.cpp updateflow.h
)
