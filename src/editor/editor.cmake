target_sources(mirovane_editor PRIVATE
    commandline.cpp commandline.h
    editorcontext.h
    editorcontrols.cpp editorcontrols.h
    editormenus.cpp editormenus.h
    editortitle.cpp editortitle.h
    formlayout.cpp formlayout.h
    framelist.cpp framelist.h
    framerowlayout.cpp framerowlayout.h
    frmediter.cpp frmediter.h
    frmsetting.cpp frmsetting.h
    menushortcuts.cpp menushortcuts.h
    pictureedit.cpp pictureedit.h
    previewcommands.cpp previewcommands.h
    projectcommands.cpp projectcommands.h
    screenscale.cpp screenscale.h
    thumbnailmaker.cpp thumbnailmaker.h
    framestripdelegate.cpp framestripdelegate.h
    framemodel.cpp framemodel.h
    thumbnailstrip.cpp thumbnailstrip.h
    trimworkingset.cpp trimworkingset.h
)
