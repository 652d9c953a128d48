target_sources(mirovane_ui PRIVATE
    commandline.cpp commandline.h
    droptarget.cpp droptarget.h
    editorcontrols.cpp editorcontrols.h
    editormenus.cpp editormenus.h
    editorpreview.cpp editorpreview.h
    editortitle.cpp editortitle.h
    formlayout.cpp formlayout.h
    framelist.cpp framelist.h
    framerowlayout.cpp framerowlayout.h
    frmediter.cpp frmediter.h
    frmsetting.cpp frmsetting.h
    keyfilter.cpp keyfilter.h
    makecontrol.h
    menushortcuts.cpp menushortcuts.h
    pictureedit.cpp pictureedit.h
    playback.cpp playback.h
    projectcommands.cpp projectcommands.h
    screenscale.cpp screenscale.h
    trimworkingset.cpp trimworkingset.h
)
