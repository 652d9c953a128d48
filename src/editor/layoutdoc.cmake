target_sources(mirovane_ui PRIVATE
    windowlayout.cpp windowlayout.h
)
