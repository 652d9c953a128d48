<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>EditorControls</name>
    <message>
        <source>工程名</source>
        <translation>Project name</translation>
    </message>
    <message>
        <source>屏幕比例</source>
        <translation>Screen size</translation>
    </message>
    <message>
        <source>背景图片</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>浏览</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>调整</source>
        <translation>Adjust</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>直接的</source>
        <translation>Played once</translation>
    </message>
    <message>
        <source>循环的</source>
        <translation>Looped</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>全屏</source>
        <translation>Full screen</translation>
    </message>
</context>
<context>
    <name>EditorMenus</name>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>新建工程(&amp;N)</source>
        <translation>&amp;New Project</translation>
    </message>
    <message>
        <source>打开工程(&amp;O)</source>
        <translation>&amp;Open Project...</translation>
    </message>
    <message>
        <source>保存工程(&amp;S)</source>
        <translation>&amp;Save Project</translation>
    </message>
    <message>
        <source>另存工程为(&amp;A)</source>
        <translation>Save Project &amp;As...</translation>
    </message>
    <message>
        <source>还原(&amp;V)</source>
        <translation>Re&amp;vert</translation>
    </message>
    <message>
        <source>导出工程(&amp;E)</source>
        <translation>&amp;Export Project Images...</translation>
    </message>
    <message>
        <source>导出动画帧序列(&amp;F)</source>
        <translation>Export &amp;Frame Sequence...</translation>
    </message>
    <message>
        <source>导入长图动画</source>
        <translation>Import Long Picture</translation>
    </message>
    <message>
        <source>导入帧序列(&amp;I)...</source>
        <translation>&amp;Import Frames...</translation>
    </message>
    <message>
        <source>导出长图动画</source>
        <translation>Export Long Picture</translation>
    </message>
    <message>
        <source>导出动画图片(&amp;G)...</source>
        <translation>Export Animated Picture (&amp;GIF, WebP, APNG)...</translation>
    </message>
    <message>
        <source>导出 Linux 开机主题(&amp;P)...</source>
        <translation>Export Linux Boot Theme (&amp;Plymouth)...</translation>
    </message>
    <message>
        <source>导出 Android 开机动画(&amp;D)...</source>
        <translation>Export An&amp;droid Boot Animation...</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>撤销(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>重做(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>帧(&amp;R)</source>
        <translation>Fra&amp;mes</translation>
    </message>
    <message>
        <source>在前面插入帧</source>
        <translation>Insert Frame Before</translation>
    </message>
    <message>
        <source>在后面插入帧</source>
        <translation>Insert Frame After</translation>
    </message>
    <message>
        <source>复制帧</source>
        <translation>Copy Frame</translation>
    </message>
    <message>
        <source>删除帧</source>
        <translation>Delete Frame</translation>
    </message>
    <message>
        <source>上移</source>
        <translation>Move Up</translation>
    </message>
    <message>
        <source>下移</source>
        <translation>Move Down</translation>
    </message>
    <message>
        <source>反转顺序</source>
        <translation>Reverse Order</translation>
    </message>
    <message>
        <source>选项(&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>关于(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>检查更新(&amp;N)</source>
        <translation>Check for &amp;New Version</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
</context>
<context>
    <name>mrv::FrameList</name>
    <message>
        <source>浏览</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>调整</source>
        <translation>Adjust</translation>
    </message>
</context>
<context>
    <name>mrv::FrameStripModel</name>
    <message>
        <source>图片无法读取</source>
        <translation>The picture cannot be read</translation>
    </message>
</context>
<context>
    <name>mrv::ThumbnailStrip</name>
    <message>
        <source>缩略图</source>
        <translation>Thumbnails</translation>
    </message>
</context>
<context>
    <name>mrv::frmEditer</name>
    <message>
        <source>开始</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>视图(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
</context>
</TS>
