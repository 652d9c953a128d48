target_sources(mirovane_ui PRIVATE
    layoutproperties.cpp layoutproperties.h
    windowlayout.cpp windowlayout.h
)
