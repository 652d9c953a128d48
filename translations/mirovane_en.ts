<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
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
    <name>Mirovane</name>
    <message>
        <source>工程文件保存失败: %1</source>
        <translation>The project file was not saved: %1</translation>
    </message>
    <message>
        <source>删除帧</source>
        <translation>Delete Frame</translation>
    </message>
    <message>
        <source>移动帧</source>
        <translation>Move Frames</translation>
    </message>
    <message>
        <source>反转帧顺序</source>
        <translation>Reverse Frame Order</translation>
    </message>
    <message>
        <source>修改工程名</source>
        <translation>Rename Project</translation>
    </message>
    <message>
        <source>修改屏幕尺寸</source>
        <translation>Change Screen Size</translation>
    </message>
    <message>
        <source>修改背景图片</source>
        <translation>Change Background Picture</translation>
    </message>
    <message>
        <source>移动背景图片</source>
        <translation>Move Background Picture</translation>
    </message>
    <message>
        <source>修改第 %1 帧图片</source>
        <translation>Change Picture of Frame %1</translation>
    </message>
    <message>
        <source>移动第 %1 帧图片</source>
        <translation>Move Picture of Frame %1</translation>
    </message>
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
    <message>
        <source>图片设置</source>
        <translation>Picture Position</translation>
    </message>
    <message>
        <source>%1 的值必须是整数</source>
        <translation>The value of %1 must be a whole number</translation>
    </message>
    <message>
        <source>%1 的值超出范围，允许 -32768 到 %2</source>
        <translation>The value of %1 is out of range; allowed are -32768 to %2</translation>
    </message>
    <message>
        <source>背景</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>第 %1 帧</source>
        <translation>Frame %1</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>相对路径从工程文件所在的文件夹算起：请先保存工程，或填写完整路径</source>
        <translation>A relative path starts from the folder of the project file: save the project first, or enter the full path</translation>
    </message>
    <message>
        <source>图片内容已损坏，无法解码</source>
        <translation>The picture is damaged and cannot be decoded</translation>
    </message>
    <message>
        <source>文件太大（%1 MB），超过 %2 MB，不作为图片读取</source>
        <translation>The file is too large (%1 MB, more than %2 MB) to be read as a picture</translation>
    </message>
    <message>
        <source>无法读取图片</source>
        <translation>The picture cannot be read</translation>
    </message>
    <message>
        <source>文件不完整，在中途被截断</source>
        <translation>The file is incomplete: it was cut off part way</translation>
    </message>
    <message>
        <source>不是有效的 PNG 文件</source>
        <translation>Not a valid PNG file</translation>
    </message>
    <message>
        <source>图片尺寸无效或过大</source>
        <translation>The picture size is invalid or too large</translation>
    </message>
    <message>
        <source>动画块的序号错乱（应为 %1，实为 %2），文件已损坏</source>
        <translation>The animation chunks are out of sequence (expected %1, found %2); the file is damaged</translation>
    </message>
    <message>
        <source>动画帧的控制块已损坏</source>
        <translation>The control chunk of an animation frame is damaged</translation>
    </message>
    <message>
        <source>动画帧超出了图片范围</source>
        <translation>An animation frame lies outside the picture</translation>
    </message>
    <message>
        <source>动画帧数据缺少控制块</source>
        <translation>Animation frame data without its control chunk</translation>
    </message>
    <message>
        <source>动画声明有 %1 帧，文件中却是 %2 帧，文件已损坏</source>
        <translation>The animation declares %1 frames but the file holds %2; the file is damaged</translation>
    </message>
    <message>
        <source>无法解码图片数据</source>
        <translation>The picture data cannot be decoded</translation>
    </message>
    <message>
        <source>动画中没有帧</source>
        <translation>The animation has no frames</translation>
    </message>
    <message>
        <source>内存不足</source>
        <translation>Not enough memory</translation>
    </message>
    <message>
        <source>第 %1 帧的数据已损坏</source>
        <translation>The data of frame %1 is damaged</translation>
    </message>
    <message>
        <source>图片过大</source>
        <translation>The picture is too large</translation>
    </message>
    <message>
        <source>帧的尺寸不一致</source>
        <translation>The frames differ in size</translation>
    </message>
    <message>
        <source>无法生成调色板</source>
        <translation>The colour palette cannot be made</translation>
    </message>
    <message>
        <source>没有可写的帧</source>
        <translation>There are no frames to write</translation>
    </message>
    <message>
        <source>帧序号超出范围</source>
        <translation>A frame number is out of range</translation>
    </message>
    <message>
        <source>GIF 数据损坏：%1</source>
        <translation>The GIF data is damaged: %1</translation>
    </message>
    <message>
        <source>GIF 画布尺寸无效</source>
        <translation>The GIF canvas size is invalid</translation>
    </message>
    <message>
        <source>GIF 画布太大，内存不足</source>
        <translation>The GIF canvas is too large for the memory available</translation>
    </message>
    <message>
        <source>GIF 中没有图像</source>
        <translation>The GIF holds no picture</translation>
    </message>
    <message>
        <source>画布为空</source>
        <translation>The canvas is empty</translation>
    </message>
    <message>
        <source>无法初始化调色板</source>
        <translation>The colour palette cannot be set up</translation>
    </message>
    <message>
        <source>无法读取画布</source>
        <translation>The canvas cannot be read</translation>
    </message>
    <message>
        <source>无法映射颜色</source>
        <translation>The colours cannot be mapped to the palette</translation>
    </message>
    <message>
        <source>图片编码失败（GIF）：%1</source>
        <translation>The picture could not be encoded (GIF): %1</translation>
    </message>
    <message>
        <source>图片编码失败（%1）：%2</source>
        <translation>The picture could not be encoded (%1): %2</translation>
    </message>
    <message>
        <source>图片编码失败：画布为空</source>
        <translation>The picture could not be encoded: the canvas is empty</translation>
    </message>
    <message>
        <source>图片编码失败（PNG）</source>
        <translation>The picture could not be encoded (PNG)</translation>
    </message>
    <message>
        <source>图片编码失败（BMP）：图片过大</source>
        <translation>The picture could not be encoded (BMP): the picture is too large</translation>
    </message>
    <message>
        <source>%1，未写入“%2”</source>
        <translation>%1; “%2” was not written</translation>
    </message>
    <message>
        <source>不支持的图片扩展名“%1”（只支持 .png、.bmp、.jpg、.gif、.tif），未写入“%2”</source>
        <translation>Unsupported picture extension “%1” (only .png, .bmp, .jpg, .gif and .tif are supported); “%2” was not written</translation>
    </message>
    <message>
        <source>无法创建文件夹“%1”：已有同名文件</source>
        <translation>Cannot create the folder “%1”: a file of that name exists</translation>
    </message>
    <message>
        <source>无法创建文件夹“%1”：上级文件夹“%2”不存在</source>
        <translation>Cannot create the folder “%1”: its parent folder “%2” does not exist</translation>
    </message>
    <message>
        <source>无法创建文件夹“%1”：%2</source>
        <translation>Cannot create the folder “%1”: %2</translation>
    </message>
    <message>
        <source>PNG文件(*.png)</source>
        <translation>PNG files (*.png)</translation>
    </message>
    <message>
        <source>BMP文件(*.bmp)</source>
        <translation>BMP files (*.bmp)</translation>
    </message>
    <message>
        <source>JPEG文件(*.jpg)</source>
        <translation>JPEG files (*.jpg)</translation>
    </message>
    <message>
        <source>GIF文件(*.gif)</source>
        <translation>GIF files (*.gif)</translation>
    </message>
    <message>
        <source>TIFF文件(*.tif)</source>
        <translation>TIFF files (*.tif)</translation>
    </message>
    <message>
        <source>WebP动画(*.webp)</source>
        <translation>WebP animation (*.webp)</translation>
    </message>
    <message>
        <source>APNG动画(*.png)</source>
        <translation>APNG animation (*.png)</translation>
    </message>
    <message>
        <source>GIF动画(*.gif)</source>
        <translation>GIF animation (*.gif)</translation>
    </message>
    <message>
        <source>找不到这个文件</source>
        <translation>The file cannot be found</translation>
    </message>
    <message>
        <source>这是文件夹，不是图片文件</source>
        <translation>This is a folder, not a picture file</translation>
    </message>
    <message>
        <source>文件无法读取：%1</source>
        <translation>The file cannot be read: %1</translation>
    </message>
    <message>
        <source>文件太大（超过 512 MB），不作为图片读取</source>
        <translation>The file is too large (over 512 MB) to be read as a picture</translation>
    </message>
    <message>
        <source>不是可以读取的图片：格式不支持，或内容不是图片</source>
        <translation>Not a readable picture: the format is not supported, or the content is not a picture</translation>
    </message>
    <message>
        <source>图片编码失败（APNG）：%1</source>
        <translation>The picture could not be encoded (APNG): %1</translation>
    </message>
    <message>
        <source>无法压缩</source>
        <translation>Compression failed</translation>
    </message>
    <message>
        <source>图片编码失败（WebP）：%1</source>
        <translation>The picture could not be encoded (WebP): %1</translation>
    </message>
    <message>
        <source>libwebp 版本不符</source>
        <translation>Wrong libwebp version</translation>
    </message>
    <message>
        <source>编码参数无效</source>
        <translation>Invalid encoder settings</translation>
    </message>
    <message>
        <source>无法组装动画</source>
        <translation>The animation cannot be assembled</translation>
    </message>
    <message>
        <source>WebP 解码器无法启动</source>
        <translation>The WebP decoder cannot start</translation>
    </message>
    <message>
        <source>WebP 数据损坏</source>
        <translation>The WebP data is damaged</translation>
    </message>
    <message>
        <source>WebP 画布太大</source>
        <translation>The WebP canvas is too large</translation>
    </message>
    <message>
        <source>WebP 中没有图像</source>
        <translation>The WebP holds no picture</translation>
    </message>
    <message>
        <source>只允许输入整数</source>
        <translation>Only whole numbers are allowed</translation>
    </message>
    <message>
        <source>只允许输入0-65535</source>
        <translation>Only 0 to 65535 is allowed</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>选项</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>窗口动画每帧时间 (毫秒)</source>
        <translation>Window: time per frame (ms)</translation>
    </message>
    <message>
        <source>全屏动画每帧时间 (毫秒)</source>
        <translation>Full screen: time per frame (ms)</translation>
    </message>
    <message>
        <source>界面语言</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>跟随系统</source>
        <translation>System default</translation>
    </message>
    <message>
        <source>格式化输出工程文件</source>
        <translation>Write project files indented</translation>
    </message>
    <message>
        <source>拖动滑条，帧列表自动跳转到帧焦点</source>
        <translation>The frame list follows the slider</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>窗体动画每帧时间输入错误</source>
        <translation>Wrong window frame time</translation>
    </message>
    <message>
        <source>全屏动画每帧时间输入错误</source>
        <translation>Wrong full-screen frame time</translation>
    </message>
    <message>
        <source>新的界面语言在下次启动 Mirovane 时使用。</source>
        <translation>The new language is used the next time Mirovane starts.</translation>
    </message>
    <message>
        <source>Esc 退出
Space 播放 / 暂停
Left/Right  后退/前进 1 帧
Home/End  最前/最后帧
当前帧 %1</source>
        <translation>Esc  exit
Space  play / pause
Left/Right  back/forward 1 frame
Home/End  first/last frame
Frame %1</translation>
    </message>
    <message>
        <source>Win7全屏开机动画</source>
        <translation>Windows 7 boot animation</translation>
    </message>
    <message>
        <source>工程文件读取失败</source>
        <translation>The project file could not be read</translation>
    </message>
    <message>
        <source>该文件不是MRVK工程文件</source>
        <translation>This file is not a Mirovane project file</translation>
    </message>
    <message>
        <source>该XML文件不是MRVK工程文件</source>
        <translation>This XML file is not a Mirovane project file</translation>
    </message>
    <message>
        <source>%1：%2 的 %3 属性值“%4”不是 -32768 到 32767 之间的整数</source>
        <translation>%1: the %3 attribute of %2, “%4”, is not a whole number from -32768 to 32767</translation>
    </message>
    <message>
        <source>%1：文件过大（%2 MB），工程文件不能超过 %3 MB</source>
        <translation>%1: the file is too large (%2 MB); a project file may not exceed %3 MB</translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation>The file does not exist</translation>
    </message>
    <message>
        <source>这是文件夹，不是文件</source>
        <translation>This is a folder, not a file</translation>
    </message>
    <message>
        <source>文件过大（%1 MB）</source>
        <translation>The file is too large (%1 MB)</translation>
    </message>
    <message>
        <source>无法读取：%1</source>
        <translation>Cannot read it: %1</translation>
    </message>
    <message>
        <source>不是有效的 XML：%1（第 %2 行）</source>
        <translation>Not valid XML: %1 (line %2)</translation>
    </message>
    <message>
        <source>XML 中没有根元素</source>
        <translation>The XML has no root element</translation>
    </message>
    <message>
        <source>根元素是 &lt;%1&gt;，工程文件的根元素应为 &lt;MRV&gt;</source>
        <translation>The root element is &lt;%1&gt;; a project file’s root element is &lt;MRV&gt;</translation>
    </message>
    <message>
        <source>&lt;MRV&gt; 中没有 &lt;Config&gt; 元素</source>
        <translation>&lt;MRV&gt; has no &lt;Config&gt; element</translation>
    </message>
    <message>
        <source>无法写入“%1”：%2</source>
        <translation>Cannot write “%1”: %2</translation>
    </message>
    <message>
        <source>同名的文件夹已存在</source>
        <translation>a folder of that name exists</translation>
    </message>
    <message>
        <source>这不是普通文件（设备、管道或套接字），不会被替换</source>
        <translation>it is not a regular file (a device, pipe or socket) and is not replaced</translation>
    </message>
    <message>
        <source>文件是只读的</source>
        <translation>the file is read-only</translation>
    </message>
    <message>
        <source>文件夹“%1”不存在</source>
        <translation>the folder “%1” does not exist</translation>
    </message>
    <message>
        <source>无法创建临时文件</source>
        <translation>a temporary file cannot be created</translation>
    </message>
    <message>
        <source>文件未打开</source>
        <translation>the file is not open</translation>
    </message>
    <message>
        <source>MRVK工程文件(*.mrv)</source>
        <translation>Mirovane project files (*.mrv)</translation>
    </message>
    <message>
        <source>XML文件(*.xml)</source>
        <translation>XML files (*.xml)</translation>
    </message>
    <message>
        <source>图片文件(*.jpg;*.png;*.bmp;*.gif,*.tif)</source>
        <translation>Picture files (*.jpg;*.png;*.bmp;*.gif,*.tif)</translation>
    </message>
    <message>
        <source>这是管道（FIFO），不是普通文件，不会读取</source>
        <translation>This is a pipe (FIFO), not a regular file; it is not read</translation>
    </message>
    <message>
        <source>这是套接字，不是普通文件，不会读取</source>
        <translation>This is a socket, not a regular file; it is not read</translation>
    </message>
    <message>
        <source>这是设备文件，不是普通文件，不会读取</source>
        <translation>This is a device, not a regular file; it is not read</translation>
    </message>
    <message>
        <source>这不是普通文件，不会读取</source>
        <translation>This is not a regular file; it is not read</translation>
    </message>
    <message>
        <source>已有同名文件</source>
        <translation>a file of that name exists</translation>
    </message>
    <message>
        <source>上级文件夹“%1”不存在</source>
        <translation>the parent folder “%1” does not exist</translation>
    </message>
    <message>
        <source>无法创建临时文件夹</source>
        <translation>a temporary folder cannot be created</translation>
    </message>
    <message>
        <source>临时文件夹未创建</source>
        <translation>the temporary folder was not created</translation>
    </message>
    <message>
        <source>十六进制数值超出范围: %1</source>
        <translation>Hexadecimal value out of range: %1</translation>
    </message>
    <message>
        <source>十六进制数值无效: %1</source>
        <translation>Invalid hexadecimal value: %1</translation>
    </message>
    <message>
        <source>“%1”不是有效的整数</source>
        <translation>“%1” is not a valid whole number</translation>
    </message>
    <message>
        <source>%1: 文件过大（%2 MB），上限为 %3 MB</source>
        <translation>%1: the file is too large (%2 MB); the limit is %3 MB</translation>
    </message>
    <message>
        <source>%1、%2</source>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>连接失败</source>
        <translation>Connection failed</translation>
    </message>
    <message>
        <source>获取最新版本号失败，请检查是否连接上Internet，也有可能是服务器不正常。</source>
        <translation>The latest version number could not be fetched. Check the Internet connection; the server may also be down.</translation>
    </message>
    <message>
        <source> 检测到有新的版本</source>
        <translation> A new version is available</translation>
    </message>
    <message>
        <source>发布时间%1</source>
        <translation>Released %1</translation>
    </message>
    <message>
        <source>您的当前版本：%1</source>
        <translation>Your version: %1</translation>
    </message>
    <message>
        <source>最新版本：    %1</source>
        <translation>Latest version: %1</translation>
    </message>
    <message>
        <source>更新日志：</source>
        <translation>Changes:</translation>
    </message>
    <message>
        <source>%1发现新版本</source>
        <translation>%1: new version found</translation>
    </message>
    <message>
        <source>立即更新吗？</source>
        <translation>Update now?</translation>
    </message>
    <message>
        <source>未发现新版本</source>
        <translation>No new version found</translation>
    </message>
    <message>
        <source>最新版本：%1</source>
        <translation>Latest version: %1</translation>
    </message>
    <message>
        <source>是否访问网站查看？</source>
        <translation>Visit the website?</translation>
    </message>
    <message>
        <source>%1未发现新版本</source>
        <translation>%1: no new version found</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>选择图片文件</source>
        <translation>Choose a Picture File</translation>
    </message>
    <message>
        <source>无损</source>
        <translation>Lossless</translation>
    </message>
    <message>
        <source>插入帧</source>
        <translation>Insert Frames</translation>
    </message>
    <message>
        <source>导入已取消，未作任何更改</source>
        <translation>Import cancelled; nothing was changed</translation>
    </message>
    <message>
        <source>无法读取文件</source>
        <translation>Cannot read the file</translation>
    </message>
    <message>
        <source>不是可以读取的视频或图片，或文件已损坏</source>
        <translation>Not a readable video or picture, or the file is damaged</translation>
    </message>
    <message>
        <source>无法打开“%1”视频的解码器</source>
        <translation>Cannot open the decoder for “%1” video</translation>
    </message>
    <message>
        <source>没有可以解码“%1”视频的解码器</source>
        <translation>There is no decoder for “%1” video</translation>
    </message>
    <message>
        <source>文件中没有视频流</source>
        <translation>The file has no video stream</translation>
    </message>
    <message>
        <source>视频流没有画面尺寸，文件可能已损坏</source>
        <translation>The video stream has no picture size; the file may be damaged</translation>
    </message>
    <message>
        <source>视频画面为 %1 × %2 像素，超过可以导入的 %3 万像素</source>
        <translation>The video&apos;s picture is %1 × %2 pixels, more than the %3 × 10,000 pixels that can be imported</translation>
    </message>
    <message>
        <source>视频未打开</source>
        <translation>The video is not open</translation>
    </message>
    <message>
        <source>所选时间段的画面超过 %1 帧</source>
        <translation>The chosen time span has more than %1 frames</translation>
    </message>
    <message>
        <source>所选时间段内没有画面</source>
        <translation>The chosen time span has no pictures</translation>
    </message>
    <message>
        <source>视频画面无法转换</source>
        <translation>A video picture could not be converted</translation>
    </message>
    <message>
        <source>读取已停止</source>
        <translation>Reading stopped</translation>
    </message>
    <message>
        <source>视频数据已损坏，没有可以解码的画面</source>
        <translation>The video data is damaged; no picture could be decoded</translation>
    </message>
    <message>
        <source>%1：%2 × %3 像素，%4 秒</source>
        <translation>%1: %2 × %3 pixels, %4 seconds</translation>
    </message>
    <message>
        <source>适应</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>填满</source>
        <translation>Fill</translation>
    </message>
    <message>
        <source>原始大小</source>
        <translation>Original size</translation>
    </message>
    <message>
        <source>按开机时间</source>
        <translation>By boot timing</translation>
    </message>
    <message>
        <source>逐帧</source>
        <translation>Frame by frame</translation>
    </message>
    <message>
        <source>画面大小：</source>
        <translation>Picture size:</translation>
    </message>
    <message>
        <source>帧时间：</source>
        <translation>Frame timing:</translation>
    </message>
    <message>
        <source>开始（秒）：</source>
        <translation>Start (seconds):</translation>
    </message>
    <message>
        <source>结束（秒）：</source>
        <translation>End (seconds):</translation>
    </message>
    <message>
        <source>循环起点（秒）：</source>
        <translation>Loop start (seconds):</translation>
    </message>
    <message>
        <source>导入结果：</source>
        <translation>Result:</translation>
    </message>
    <message>
        <source>无法加载视频模块“%1”：“%2”和“%3”中都没有它</source>
        <translation>Cannot load the video module “%1”: it is in neither “%2” nor “%3”</translation>
    </message>
    <message>
        <source>无法加载视频模块“%1”：%2</source>
        <translation>Cannot load the video module “%1”: %2</translation>
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
