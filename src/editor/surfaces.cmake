target_sources(mirovane_ui PRIVATE
    picturesurface.cpp picturesurface.h
    showpicture.cpp showpicture.h
)
