<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Mirovane</name>
    <message>
        <source>工程文件保存失败: %1</source>
        <translation>The project file was not saved: %1</translation>
    </message>
    <message>
        <source>“%1”已存在，未写入；加上 --force 才会替换它</source>
        <translation>“%1” exists already; nothing was written (--force replaces it)</translation>
    </message>
    <message>
        <source>警告：已跳过“%1”：%2</source>
        <translation>Warning: skipped “%1”: %2</translation>
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
        <source>无法加载视频模块“%1”：“%2”和“%3”中都没有它。请安装软件包 %4</source>
        <translation>Cannot load the video module “%1”: it is in neither “%2” nor “%3”. Install the package %4</translation>
    </message>
    <message>
        <source>无法加载视频模块“%1”：%2</source>
        <translation>Cannot load the video module “%1”: %2</translation>
    </message>
    <message>
        <source>导入帧序列</source>
        <translation>Import Frames</translation>
    </message>
    <message>
        <source>正在导入帧……</source>
        <translation>Importing frames...</translation>
    </message>
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
        <source>导入长图动画</source>
        <translation>Import Long Picture</translation>
    </message>
    <message>
        <source>导入帧序列(&amp;I)...</source>
        <translation>&amp;Import Frames...</translation>
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
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>%1 %2

没有可以打开网页的浏览器。本程序的网址：
%3</source>
        <translation>%1 %2

No browser could open the web page. The program's address:
%3</translation>
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
    <message>
        <source>正在导出，请等待当前导出完成或取消后再试。</source>
        <translation>An export is running. Wait until it finishes, or cancel it, and try again.</translation>
    </message>
    <message>
        <source>、</source>
        <comment>between the items of a list</comment>
        <translation>, </translation>
    </message>
    <message>
        <source>背景</source>
        <comment>where an unreadable picture is used</comment>
        <translation>background</translation>
    </message>
    <message>
        <source>第 %1 帧</source>
        <comment>where an unreadable picture is used</comment>
        <translation>frame %1</translation>
    </message>
    <message>
        <source>警告：无法读取图片“%1”%2，该区域保持透明</source>
        <translation>Warning: the picture “%1”%2 cannot be read; its area stays transparent</translation>
    </message>
    <message>
        <source>（%1）</source>
        <translation> (%1)</translation>
    </message>
    <message>
        <source>……以及另外 %1 张无法读取的图片</source>
        <translation>...and %1 more pictures that cannot be read</translation>
    </message>
    <message>
        <source>图片、动画和视频(*.jpg;*.png;*.bmp;*.gif;*.tif;*.webp;*.mp4;*.webm;*.mkv;*.mov;*.avi)</source>
        <translation>Pictures, animations and videos (*.jpg;*.png;*.bmp;*.gif;*.tif;*.webp;*.mp4;*.webm;*.mkv;*.mov;*.avi)</translation>
    </message>
    <message>
        <source>PNG和APNG文件(*.png)</source>
        <translation>PNG and APNG files (*.png)</translation>
    </message>
    <message>
        <source>视频(*.mp4;*.webm;*.mkv;*.mov;*.avi)</source>
        <translation>Videos (*.mp4;*.webm;*.mkv;*.mov;*.avi)</translation>
    </message>
    <message>
        <source>拖入了 %1 张图片，一次最多导入 %2 张，未作任何更改</source>
        <translation>%1 pictures were dropped, but one import takes at most %2; nothing was changed</translation>
    </message>
    <message>
        <source>拖入帧</source>
        <translation>Drop Frames</translation>
    </message>
    <message>
        <source>选择帧图片所在的文件夹，或一个动画图片或视频</source>
        <translation>Choose a Folder of Frame Pictures, an Animated Picture or a Video</translation>
    </message>
    <message>
        <source>动画或视频的每一帧将保存为图片，放在工程文件旁边。工程还没有保存，请先选择工程的保存位置。</source>
        <translation>Every frame of the animation or video is saved as a picture beside the project file. The project has not been saved yet: choose where to save it first.</translation>
    </message>
    <message>
        <source>显示这一帧</source>
        <translation>Show this frame</translation>
    </message>
    <message>
        <source>图片无法读取</source>
        <translation>The picture cannot be read</translation>
    </message>
    <message>
        <source>你的文件修改了没有保存，是否保存</source>
        <translation>Your file has unsaved changes. Save them?</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>打开工程文件</source>
        <translation>Open Project File</translation>
    </message>
    <message>
        <source>工程文件保存失败：
%1</source>
        <translation>The project file was not saved:
%1</translation>
    </message>
    <message>
        <source>选择工程保存位置</source>
        <translation>Choose Where to Save the Project</translation>
    </message>
    <message>
        <source>工程文件储存位置不存在</source>
        <translation>The project&apos;s file does not exist</translation>
    </message>
    <message>
        <source>还原为最后一次保存的%1版本？</source>
        <translation>Revert to the last saved version of %1?</translation>
    </message>
    <message>
        <source>缩略图</source>
        <translation>Thumbnails</translation>
    </message>
    <message>
        <source>播放速度为原片的 %1%</source>
        <translation>played at %1% of the original&apos;s speed</translation>
    </message>
    <message>
        <source>“%1”无法读取：%2</source>
        <translation>“%1” cannot be read: %2</translation>
    </message>
    <message>
        <source>“%1”无法导入：%2</source>
        <translation>“%1” cannot be imported: %2</translation>
    </message>
    <message>
        <source>结束时间须晚于开始时间</source>
        <translation>The end time must be later than the start time</translation>
    </message>
    <message>
        <source>循环起点不在原片以内，或第 1-60 帧播放不到它</source>
        <translation>The loop start lies outside the original, or frames 1-60 do not reach it</translation>
    </message>
    <message>
        <source>%1 帧，%2 秒，%3</source>
        <translation>%1 frames, %2 s, %3</translation>
    </message>
    <message>
        <source>Mirovane 演示</source>
        <translation>Mirovane Demo</translation>
    </message>
    <message>
        <source>图片内容无法解码</source>
        <translation>The picture&apos;s content cannot be decoded</translation>
    </message>
    <message>
        <source>“%1”有 %2 张图片，一次最多导入 %3 张，未作任何更改</source>
        <translation>“%1” holds %2 pictures, but one import takes at most %3; nothing was changed</translation>
    </message>
    <message>
        <source>文件夹“%1”中没有可以读取的图片</source>
        <translation>The folder “%1” holds no readable pictures</translation>
    </message>
    <message>
        <source>“%1”不是可以读取的图片：%2</source>
        <translation>“%1” is not a readable picture: %2</translation>
    </message>
    <message numerus="yes">
        <source>已按开机时间导入 %1 帧（原片 %2 帧，第 61-%1 帧循环播放原片 %n 遍），%3</source>
        <translation>
            <numerusform>Imported %1 frames timed for the boot screen (the original has %2 frames; frames 61-%1 play it through %n time), %3</numerusform>
            <numerusform>Imported %1 frames timed for the boot screen (the original has %2 frames; frames 61-%1 loop through it %n times), %3</numerusform>
        </translation>
    </message>
    <message>
        <source>循环起点 %1 秒不在原片的循环可以开始的范围内：它须在原片长度以内，且第 1-60 帧能播放到它</source>
        <translation>The loop start at %1 s is not where the loop can begin: it must lie within the original, and frames 1-60 must reach it</translation>
    </message>
    <message>
        <source>无法删除“%1”</source>
        <translation>Cannot delete “%1”</translation>
    </message>
    <message>
        <source>动画“%1”的帧要保存在工程文件旁边，请先保存工程</source>
        <translation>The frames of the animation “%1” are saved beside the project file: save the project first</translation>
    </message>
    <message>
        <source>“%1”：%2</source>
        <translation>“%1”: %2</translation>
    </message>
    <message>
        <source>动画“%1”超过 %2 帧，未作任何更改</source>
        <translation>The animation “%1” has more than %2 frames; nothing was changed</translation>
    </message>
    <message>
        <source>动画“%1”有 %2 帧，超过 %3 帧，未作任何更改</source>
        <translation>The animation “%1” has %2 frames, more than %3; nothing was changed</translation>
    </message>
    <message>
        <source>动画“%1”是 %2 × %3 像素的 %4 帧，超过一次导入的上限（画布宽 × 高 × 帧数不超过 %5 像素），未作任何更改</source>
        <translation>The animation “%1” has %4 frames of %2 × %3 pixels, more than one import takes (canvas width × height × frames at most %5 pixels); nothing was changed</translation>
    </message>
    <message>
        <source>不是可以导入的图片类型</source>
        <translation>Not a type of picture that can be imported</translation>
    </message>
    <message>
        <source>找不到“%1”</source>
        <translation>“%1” cannot be found</translation>
    </message>
    <message>
        <source>“%1”是动画图片：开始和结束时间只用于视频</source>
        <translation>“%1” is an animated picture: the start and end times are for videos only</translation>
    </message>
    <message>
        <source>“%1”不是动画图片：缩放和按开机时间只用于动画图片</source>
        <translation>“%1” is not an animated picture: fitting and boot timing are for animated pictures only</translation>
    </message>
    <message>
        <source>工程现在有 %1 帧。Windows 启动动画只显示 %2 帧：第 %3 帧及以后的帧不会进入动画长图。</source>
        <translation>The project now has %1 frames. The Windows boot animation shows only %2: frame %3 and later do not go into the long picture.</translation>
    </message>
    <message numerus="yes">
        <source>工程现在有 %n 帧。Windows 启动动画显示 %1 帧：动画长图的第 %2 至 %1 格将是空白。</source>
        <translation>
            <numerusform>The project now has %n frame. The Windows boot animation shows %1: cells %2 to %1 of the long picture will be empty.</numerusform>
            <numerusform>The project now has %n frames. The Windows boot animation shows %1: cells %2 to %1 of the long picture will be empty.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>以下 %n 个文件无法读取，已跳过：</source>
        <translation>
            <numerusform>This file cannot be read and was skipped:</numerusform>
            <numerusform>These %n files cannot be read and were skipped:</numerusform>
        </translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message numerus="yes">
        <source>……以及另外 %n 个文件</source>
        <translation>
            <numerusform>...and %n more file</numerusform>
            <numerusform>...and %n more files</numerusform>
        </translation>
    </message>
    <message>
        <source>“%1”不是可用的缩放方式：contain、cover 或 none</source>
        <translation>“%1” is not a valid fit: use contain, cover or none</translation>
    </message>
    <message>
        <source>“%1”不是可用的帧时间方式：frames 或 boot</source>
        <translation>“%1” is not a valid timing: use frames or boot</translation>
    </message>
    <message>
        <source>“%1”不是%2的秒数（0 或更大）</source>
        <translation>“%1” is not a valid %2 in seconds (0 or more)</translation>
    </message>
    <message>
        <source>循环起点</source>
        <comment>whose seconds a message says are wrong</comment>
        <translation>loop start</translation>
    </message>
    <message>
        <source>开始时间</source>
        <comment>whose seconds a message says are wrong</comment>
        <translation>start time</translation>
    </message>
    <message>
        <source>结束时间</source>
        <comment>whose seconds a message says are wrong</comment>
        <translation>end time</translation>
    </message>
    <message>
        <source>工程有 %1 帧，超过 %2 帧时纵向偏移超出范围，无法导入动画长图</source>
        <translation>The project has %1 frames; beyond %2 frames the vertical offsets are out of range, so the long picture cannot be imported</translation>
    </message>
    <message>
        <source>偏移参数不符合规则</source>
        <translation>The offset is not valid</translation>
    </message>
    <message>
        <source>%1：X偏移必须在 -32768 到 32767 之间</source>
        <translation>%1: the X offset must be from -32768 to 32767</translation>
    </message>
    <message>
        <source>找不到长图文件“%1”</source>
        <translation>The long picture “%1” cannot be found</translation>
    </message>
    <message numerus="yes">
        <source>已逐帧导入 %n 帧</source>
        <translation>
            <numerusform>Imported %n frame, one for each frame of the original</numerusform>
            <numerusform>Imported %n frames, one for each frame of the original</numerusform>
        </translation>
    </message>
    <message>
        <source>视频长 %1 秒，只导入了第 %2-%3 秒（可选择开始和结束时间）</source>
        <translation>The video is %1 s long; only seconds %2-%3 were imported (the start and end times can be chosen)</translation>
    </message>
    <message>
        <source>开始时间 %1 秒不在视频长度 %2 秒以内</source>
        <translation>The start time %1 s is not within the video&apos;s length of %2 s</translation>
    </message>
    <message>
        <source>要解码 %1 帧 %2 × %3 像素的画面，超过一次导入的上限（宽 × 高 × 帧数不超过 %4 像素）</source>
        <translation>Decoding %1 frames of %2 × %3 pixels is more than one import takes (width × height × frames at most %4 pixels)</translation>
    </message>
    <message>
        <source>循环起点 %1 秒不在所选时间段内，或第 1-60 帧播放不到它</source>
        <translation>The loop start at %1 s lies outside the chosen time range, or frames 1-60 do not reach it</translation>
    </message>
    <message>
        <source>视频的帧要保存在工程文件旁边，请先保存工程</source>
        <translation>The frames of the video are saved beside the project file: save the project first</translation>
    </message>
    <message>
        <source>只允许输入%1-%2</source>
        <translation>Only %1 to %2 is allowed</translation>
    </message>
    <message>
        <source>警告：此次导出不使用 %1，已忽略</source>
        <translation>Warning: this export does not use %1; it is ignored</translation>
    </message>
    <message>
        <source>警告：%1 “%2” 不是 %3 到 %4 之间的整数，按%5导出</source>
        <translation>Warning: %1 “%2” is not a whole number from %3 to %4; exported with %5</translation>
    </message>
    <message>
        <source>警告：%1</source>
        <translation>Warning: %1</translation>
    </message>
    <message>
        <source>导出完成</source>
        <translation>Export Finished</translation>
    </message>
    <message>
        <source>%1 已存在，是否覆盖？</source>
        <translation>%1 already exists. Replace it?</translation>
    </message>
    <message>
        <source>导出失败：
%1</source>
        <translation>The export failed:
%1</translation>
    </message>
    <message>
        <source>请输入批量X偏移，仅允许整数</source>
        <translation>Enter the X offset for all frames (whole numbers only)</translation>
    </message>
    <message>
        <source>导入动画长图</source>
        <translation>Import Long Picture</translation>
    </message>
    <message>
        <source>视图(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>无法启动新的程序实例来打开：
%1</source>
        <translation>Cannot start another instance of the program to open:
%1</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>设置文件保存失败：
%1</source>
        <translation>The settings file was not saved:
%1</translation>
    </message>
    <message>
        <source>内存不足，无法创建画布</source>
        <translation>Not enough memory to create the canvas</translation>
    </message>
    <message>
        <source>GIF 每帧至少 %1 毫秒（更短的帧会被浏览器放慢到约 100 毫秒），已按每帧 %1 毫秒写入，而不是 %2 毫秒</source>
        <translation>A GIF frame lasts at least %1 ms (browsers slow shorter frames down to about 100 ms); written with %1 ms per frame instead of %2 ms</translation>
    </message>
    <message>
        <source>Android 开机动画只能以每秒 1 到 %1 的整数帧播放：每帧将显示 %2 毫秒（%3 fps），与要求的 %4 毫秒相差 %5%</source>
        <translation>An Android boot animation plays a whole number of frames per second, 1 to %1: each frame will show for %2 ms (%3 fps), %5% off the %4 ms asked for</translation>
    </message>
    <message>
        <source>工程中没有帧，无法导出动画图片</source>
        <translation>The project has no frames, so no animated picture can be exported</translation>
    </message>
    <message>
        <source>动画图片要合成 %1 帧 %2 x %3 的画面（%4 MB），超过上限 %5 MB；请减少帧数或宽度</source>
        <translation>The animated picture would compose %1 frames of %2 x %3 (%4 MB), more than the limit of %5 MB; use fewer frames or a smaller width</translation>
    </message>
    <message>
        <source>导出动画图片(&amp;G)...</source>
        <translation>Export Animated Picture (&amp;GIF, WebP, APNG)...</translation>
    </message>
    <message>
        <source>选择保存的动画图片文件名</source>
        <translation>Choose a File Name for the Animated Picture</translation>
    </message>
    <message>
        <source>正在导出动画图片…</source>
        <translation>Exporting the animated picture...</translation>
    </message>
    <message>
        <source>动画图片导出完成。</source>
        <translation>The animated picture has been exported.</translation>
    </message>
    <message>
        <source>循环 %1 次</source>
        <translation>a loop count of %1</translation>
    </message>
    <message>
        <source>循环部分播放几次</source>
        <translation>How many times the loop plays</translation>
    </message>
    <message>
        <source>区域</source>
        <translation>area</translation>
    </message>
    <message>
        <source>动画区域（200×200）</source>
        <translation>Animation area (200×200)</translation>
    </message>
    <message>
        <source>整个屏幕</source>
        <translation>Whole screen</translation>
    </message>
    <message>
        <source>画面</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>宽度 %1</source>
        <translation>a width of %1</translation>
    </message>
    <message>
        <source>整个屏幕时的宽度（像素）</source>
        <translation>Width of the whole screen (pixels)</translation>
    </message>
    <message>
        <source>帧时间 %1 毫秒</source>
        <translation>a frame time of %1 ms</translation>
    </message>
    <message>
        <source>质量 %1</source>
        <translation>quality %1</translation>
    </message>
    <message>
        <source>WebP 质量</source>
        <translation>WebP quality</translation>
    </message>
    <message>
        <source>循环播放</source>
        <translation>Repeat endlessly</translation>
    </message>
    <message>
        <source>去掉全屏背景</source>
        <translation>Leave out the full-screen background</translation>
    </message>
    <message>
        <source>屏幕大小“%1”无效：应写成 宽x高（如 1080x1920），每边 1 到 %2 像素</source>
        <translation>Invalid screen size “%1”: write it as WIDTHxHEIGHT (such as 1080x1920), each side 1 to %2 pixels</translation>
    </message>
    <message>
        <source>Android 开机动画</source>
        <translation>Android Boot Animation</translation>
    </message>
    <message>
        <source>导出 Android 开机动画(&amp;D)...</source>
        <translation>Export An&amp;droid Boot Animation...</translation>
    </message>
    <message>
        <source>选择 Android 开机动画的保存位置</source>
        <translation>Choose Where to Save the Android Boot Animation</translation>
    </message>
    <message>
        <source>正在导出 Android 开机动画…</source>
        <translation>Exporting the Android boot animation...</translation>
    </message>
    <message>
        <source>Android 开机动画(*.zip)</source>
        <translation>Android boot animation (*.zip)</translation>
    </message>
    <message>
        <source>Android 开机动画已导出到“%1”。</source>
        <translation>The Android boot animation was exported to “%1”.</translation>
    </message>
    <message>
        <source>手机屏幕大小（宽x高，如 1080x1920）</source>
        <translation>Phone screen size (WIDTHxHEIGHT, such as 1080x1920)</translation>
    </message>
    <message>
        <source>JPEG 质量 %1</source>
        <translation>JPEG quality %1</translation>
    </message>
    <message>
        <source>%1 或 %2</source>
        <translation>%1 or %2</translation>
    </message>
    <message>
        <source>%1“%2”无效，只能是 %3</source>
        <translation>Invalid %1 “%2”: it can only be %3</translation>
    </message>
    <message>
        <source>此导出不能写 %1 格式的图片</source>
        <translation>This export cannot write %1 pictures</translation>
    </message>
    <message>
        <source>工程的屏幕尺寸 %1 × %2 无效：宽度和高度必须大于 0，无法缩放。</source>
        <translation>The project&apos;s screen size %1 × %2 is invalid: the width and height must be greater than 0 to scale it.</translation>
    </message>
    <message>
        <source>工程的屏幕尺寸 %1 × %2 太小：动画区域不足 1 像素，无法导出帧序列。</source>
        <translation>The project&apos;s screen size %1 × %2 is too small: the animation area is less than 1 pixel, so no frame sequence can be exported.</translation>
    </message>
    <message>
        <source>没有写入任何文件，原有的文件保持不变。</source>
        <translation>No file was written; the existing files are unchanged.</translation>
    </message>
    <message>
        <source>导出已取消</source>
        <translation>The export was cancelled</translation>
    </message>
    <message>
        <source>没有第 %1 种导出文件类型</source>
        <translation>There is no export file type number %1</translation>
    </message>
    <message>
        <source>每帧 %1 毫秒</source>
        <translation>%1 ms per frame</translation>
    </message>
    <message>
        <source>每帧显示多少毫秒（%1）</source>
        <translation>Milliseconds each frame is shown (%1)</translation>
    </message>
    <message>
        <source>应为 %1 到 %2 之间的整数</source>
        <translation>must be a whole number from %1 to %2</translation>
    </message>
    <message>
        <source>主题名称不能为空</source>
        <translation>The theme name cannot be empty</translation>
    </message>
    <message>
        <source>“%1”中没有英文字母或数字，不能作主题名称</source>
        <translation>“%1” has no ASCII letter or digit and cannot name a theme</translation>
    </message>
    <message>
        <source>注意：%1 “%2” 写为“%3”</source>
        <translation>Note: %1 “%2” is written as “%3”</translation>
    </message>
    <message>
        <source>将写为“%1”</source>
        <translation>Written as “%1”</translation>
    </message>
    <message>
        <source>%1 “%2”：%3</source>
        <translation>%1 “%2”: %3</translation>
    </message>
    <message>
        <source>存为 JPEG，质量</source>
        <translation>Save as JPEG, quality</translation>
    </message>
    <message>
        <source>画面存为 PNG，Android 说明的格式；JPEG 小几倍，只用于确知能播放它的设备</source>
        <translation>Pictures are saved as PNG, the format Android describes; JPEG is several times smaller, for devices known to play it</translation>
    </message>
    <message>
        <source>“%1”不是可选的值</source>
        <translation>“%1” is not one of the values offered</translation>
    </message>
    <message>
        <source>文件夹不存在</source>
        <translation>the folder does not exist</translation>
    </message>
    <message>
        <source>内存不足，无法创建长图画布</source>
        <translation>Not enough memory to create the long picture&apos;s canvas</translation>
    </message>
    <message>
        <source>导出长图动画</source>
        <translation>Export Long Picture</translation>
    </message>
    <message>
        <source>选择保存的长图文件名</source>
        <translation>Choose a File Name for the Long Picture</translation>
    </message>
    <message>
        <source>正在导出动画长图…</source>
        <translation>Exporting the long picture...</translation>
    </message>
    <message>
        <source>动画长图导出完成，你可以使用“魔方”等软件应用到系统。</source>
        <translation>The long picture has been exported. A boot-screen tool applies it to the system.</translation>
    </message>
    <message>
        <source>是否去掉全屏背景</source>
        <translation>Leave out the full-screen background</translation>
    </message>
    <message>
        <source>Linux 开机主题</source>
        <translation>Linux Boot Theme</translation>
    </message>
    <message>
        <source>导出 Linux 开机主题(&amp;P)...</source>
        <translation>Export Linux Boot Theme (&amp;Plymouth)...</translation>
    </message>
    <message>
        <source>选择 Linux 开机主题的保存文件夹</source>
        <translation>Choose a Folder for the Linux Boot Theme</translation>
    </message>
    <message>
        <source>正在导出 Linux 开机主题…</source>
        <translation>Exporting the Linux boot theme...</translation>
    </message>
    <message>
        <source>Linux 开机主题已导出到“%1”。
安装：以 root 身份把该文件夹复制到 /usr/share/plymouth/themes/，再运行 plymouth-set-default-theme -R %2</source>
        <translation>The Linux boot theme was exported to “%1”.
To install it: as root, copy that folder to /usr/share/plymouth/themes/, then run plymouth-set-default-theme -R %2</translation>
    </message>
    <message>
        <source>主题名称（英文字母、数字和“-”，其他字符会换成“-”）</source>
        <translation>Theme name (letters a-z, digits and “-”; other characters become “-”)</translation>
    </message>
    <message>
        <source>导出工程(&amp;E)</source>
        <translation>&amp;Export Project Images...</translation>
    </message>
    <message>
        <source>选择工程导出位置</source>
        <translation>Choose Where to Export the Project</translation>
    </message>
    <message>
        <source>正在导出工程图片…</source>
        <translation>Exporting the project images...</translation>
    </message>
    <message>
        <source>背景图片已保存到“%1”，
帧动画文件夹名“%2_Frame”</source>
        <translation>The background picture was saved to “%1”;
the frame folder is “%2_Frame”</translation>
    </message>
    <message>
        <source>导出动画帧序列(&amp;F)</source>
        <translation>Export &amp;Frame Sequence...</translation>
    </message>
    <message>
        <source>请输入动画序列前缀</source>
        <translation>Enter the Prefix of the Frame Sequence</translation>
    </message>
    <message>
        <source>正在导出动画帧序列…</source>
        <translation>Exporting the frame sequence...</translation>
    </message>
    <message>
        <source>%1_序列</source>
        <translation>%1_sequence</translation>
    </message>
    <message>
        <source>帧序列已导出。要做成 GIF、WebP 或 APNG 动画，可以使用“文件”菜单的“导出动画图片”。</source>
        <translation>The frame sequence has been exported. To make a GIF, WebP or APNG animation of it, use “Export Animated Picture” in the “File” menu.</translation>
    </message>
    <message>
        <source>循环部分输出几次（1-255 次）。</source>
        <translation>How many times the loop part is written (1-255).</translation>
    </message>
    <message>
        <source>第%1-%2帧（循环部分）输出几次（1-255 次）。</source>
        <translation>How many times frames %1-%2 (the loop part) are written (1-255).</translation>
    </message>
    <message>
        <source>请输入循环次数</source>
        <translation>Enter the Number of Loops</translation>
    </message>
    <message>
        <source>是否保持图片透明通道</source>
        <translation>Keep the pictures&apos; transparency</translation>
    </message>
    <message>
        <source>文件将超过 4 GB</source>
        <translation>the file would pass 4 GB</translation>
    </message>
    <message>
        <source>无法加载 libzip：%1</source>
        <translation>cannot load libzip: %1</translation>
    </message>
    <message>
        <source>文件是“%1”格式，不是可以导入的视频：只读取自身带有画面的视频文件（MP4、MOV、MKV、WebM、AVI 等），不读取播放列表、图片序列或引用其他文件的格式</source>
        <translation>The file is in the “%1” format, which is not a video that can be imported: only video files that hold their own pictures are read (MP4, MOV, MKV, WebM, AVI and the like), not playlists, picture sequences or formats that refer to other files</translation>
    </message>
    <message>
        <source>文件要读取其他文件，不是可以导入的视频</source>
        <translation>The file asks to read other files; it is not a video that can be imported</translation>
    </message>
    <message>
        <source>要解码的画面超过一次导入的上限（各帧宽 × 高之和不超过 %1 像素）</source>
        <translation>The pictures to decode exceed the limit of one import (the frames' width × height may add up to %1 pixels at most)</translation>
    </message>
    <message>
        <source>帧范围“%1”无法识别：应为 N、N-M 或以逗号分隔的若干项</source>
        <translation>Frame range “%1” is not understood: use N, N-M or a comma list of those</translation>
    </message>
    <message>
        <source>帧范围“%1”超出工程的帧（1-%2）</source>
        <translation>Frame range “%1” lies outside the project's frames (1-%2)</translation>
    </message>
    <message>
        <source>色相须在 %1 到 %2 度之间</source>
        <translation>The hue turn must lie between %1 and %2 degrees</translation>
    </message>
    <message>
        <source>饱和度须在 0 到 %1% 之间</source>
        <translation>Saturation must lie between 0 and %1%</translation>
    </message>
    <message>
        <source>亮度须在 0 到 %1% 之间</source>
        <translation>Brightness must lie between 0 and %1%</translation>
    </message>
    <message>
        <source>缩放须在 %1% 到 %2% 之间</source>
        <translation>Scale must lie between %1% and %2%</translation>
    </message>
    <message>
        <source>没有需要调整的图片，未作任何更改</source>
        <translation>There are no pictures to adjust; nothing was changed</translation>
    </message>
    <message>
        <source>调整已取消，未作任何更改</source>
        <translation>Adjusting was cancelled; nothing was changed</translation>
    </message>
    <message>
        <source>对齐已取消，未作任何更改</source>
        <translation>Aligning was cancelled; nothing was changed</translation>
    </message>
    <message>
        <source>搜索范围须在 1 到 %1 像素之间</source>
        <translation>The search range must lie between 1 and %1 pixels</translation>
    </message>
    <message numerus="yes">
        <source>已调整 %n 张图片，新图片在“%1”</source>
        <translation>
            <numerusform>Adjusted %n picture; the new picture is in “%1”</numerusform>
            <numerusform>Adjusted %n pictures; the new pictures are in “%1”</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已居中 %n 帧</source>
        <translation>
            <numerusform>Centred %n frame</numerusform>
            <numerusform>Centred %n frames</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已稳定 %n 帧</source>
        <translation>
            <numerusform>Steadied %n frame</numerusform>
            <numerusform>Steadied %n frames</numerusform>
        </translation>
    </message>
    <message>
        <source>警告：%1；加上 --remove-stale 再导出一次可以删除它们</source>
        <translation>Warning: %1; export again with --remove-stale to remove them</translation>
    </message>
    <message>
        <source>%1。播放整个序列时它们会混进来。
是否删除它们？</source>
        <translation>%1. They would play along with the sequence.
Remove them?</translation>
    </message>
    <message numerus="yes">
        <source>写入在中途失败：已有 %n 个文件放到了位置上（“%1”至“%2”），其余文件没有写入。</source>
        <translation>
            <numerusform>The write broke off: %n file was already in place (“%1” to “%2”); the rest were not written.</numerusform>
            <numerusform>The write broke off: %n files were already in place (“%1” to “%2”); the rest were not written.</numerusform>
        </translation>
    </message>
    <message>
        <source>“%1”</source>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>“%1”到“%2”</source>
        <translation>“%1” to “%2”</translation>
    </message>
    <message>
        <source>无法删除“%1”：%2</source>
        <translation>Cannot remove “%1”: %2</translation>
    </message>
    <message numerus="yes">
        <source>“%1”中有 %n 个同一前缀的编号文件不是这次导出写入的（%2）</source>
        <translation>
            <numerusform>“%1” holds %n numbered file of the same prefix that this export did not write (%2)</numerusform>
            <numerusform>“%1” holds %n numbered files of the same prefix that this export did not write (%2)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已删除 %n 个不是这次导出写入的编号文件（%1）</source>
        <translation>
            <numerusform>Removed %n numbered file this export did not write (%1)</numerusform>
            <numerusform>Removed %n numbered files this export did not write (%1)</numerusform>
        </translation>
    </message>
    <message>
        <source>另一个程序正在向这个文件夹写入文件，请等它完成后再试</source>
        <translation>another program is writing files into this folder; try again once it has finished</translation>
    </message>
    <message numerus="yes">
        <source>%1 帧，%2 秒（第 61-105 帧循环播放原片 %n 遍），%3</source>
        <translation>
            <numerusform>%1 frames, %2 s (frames 61-105 loop through the clip %n time), %3</numerusform>
            <numerusform>%1 frames, %2 s (frames 61-105 loop through the clip %n times), %3</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>将写入 %n 张 %1 × %2 像素的图片（未压缩 %3 MB）</source>
        <translation>
            <numerusform>Writes %n picture of %1 × %2 pixels (%3 MB uncompressed)</numerusform>
            <numerusform>Writes %n pictures of %1 × %2 pixels (%3 MB uncompressed)</numerusform>
        </translation>
    </message>
    <message>
        <source>结束时间超过视频长度，只导入到第 %1 秒</source>
        <translation>The end lies past the video's length: the import ends at %1 s</translation>
    </message>
    <message>
        <source>已取消，原有的文件保持不变</source>
        <translation>cancelled; the existing file is unchanged</translation>
    </message>
    <message>
        <source>已取消</source>
        <translation>cancelled</translation>
    </message>
    <message>
        <source>“%1”已被其他程序修改。是否重新载入？</source>
        <translation>“%1” was changed by another program. Load it again?</translation>
    </message>
    <message>
        <source>“%1”在载入之后已被其他程序修改，保存会覆盖那些修改。是否仍然保存？</source>
        <translation>“%1” was changed by another program after it was loaded; saving writes over those changes. Save anyway?</translation>
    </message>
    <message>
        <source>工程的屏幕尺寸 %1 × %2 太大：Linux 开机主题的背景图片按屏幕尺寸绘制，最多 %3 × %3 像素，无法导出。</source>
        <translation>The project&apos;s screen size %1 × %2 is too large: the Linux boot theme draws its background at the screen&apos;s size, at most %3 × %3 pixels, so it cannot be exported.</translation>
    </message>
    <message>
        <source>“%1”不能作为长图：%2</source>
        <translation>“%1” cannot be the long picture: %2</translation>
    </message>
    <message>
        <source>居中(&amp;M)</source>
        <translation>&amp;Centre</translation>
    </message>
    <message>
        <source>稳定(&amp;S)...</source>
        <translation>&amp;Steady...</translation>
    </message>
    <message>
        <source>颜色和大小(&amp;A)...</source>
        <translation>Colour and Si&amp;ze...</translation>
    </message>
    <message>
        <source>洋葱皮(&amp;O)</source>
        <translation>&amp;Onion Skin</translation>
    </message>
    <message>
        <source>居中帧</source>
        <translation>Centre Frames</translation>
    </message>
    <message>
        <source>每帧向各方向最多移动多少像素（1-%1）：</source>
        <translation>How many pixels each way may a frame move (1-%1):</translation>
    </message>
    <message>
        <source>稳定</source>
        <translation>Steady</translation>
    </message>
    <message>
        <source>稳定帧</source>
        <translation>Steady Frames</translation>
    </message>
    <message>
        <source>调整后的图片要保存在工程文件旁边，请先保存工程</source>
        <translation>The adjusted pictures are saved beside the project file: save the project first</translation>
    </message>
    <message>
        <source>颜色和大小</source>
        <translation>Colour and Size</translation>
    </message>
    <message>
        <source>调整颜色和大小</source>
        <translation>Adjust Colour and Size</translation>
    </message>
    <message>
        <source>色相（度）：</source>
        <translation>Hue (degrees):</translation>
    </message>
    <message>
        <source>饱和度（%）：</source>
        <translation>Saturation (%):</translation>
    </message>
    <message>
        <source>亮度（%）：</source>
        <translation>Brightness (%):</translation>
    </message>
    <message>
        <source>缩放（%）：</source>
        <translation>Scale (%):</translation>
    </message>
</context>
</TS>
