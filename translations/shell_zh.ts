<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>CHelpWindow</name>
    <message>
        <source>Help Topics</source>
        <translation>帮助主题</translation>
    </message>
    <message>
        <source>Type the words to find</source>
        <translation>输入要查找的词</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>搜索</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>目录</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>索引</translation>
    </message>
    <message>
        <source>No topic contains these words.</source>
        <translation>没有包含这些词的主题。</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;Import Text Form…</source>
        <translation>导入文本格式(&amp;I)…</translation>
    </message>
    <message>
        <source>Read the channel data from a text form such as 1.txt</source>
        <translation>从文本格式（如 1.txt）读入信道数据</translation>
    </message>
    <message>
        <source>Export &amp;Text Form…</source>
        <translation>导出文本格式(&amp;T)…</translation>
    </message>
    <message>
        <source>Write the channel data as a text form</source>
        <translation>将信道数据写成文本格式</translation>
    </message>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation>新建(&amp;N)	Ctrl+N</translation>
    </message>
    <message>
        <source>Create a new document</source>
        <translation>建立新文档</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新建</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>打开(&amp;O)...	Ctrl+O</translation>
    </message>
    <message>
        <source>Open an existing document</source>
        <translation>打开已有的文档</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>保存(&amp;S)	Ctrl+S</translation>
    </message>
    <message>
        <source>Save the active document</source>
        <translation>保存当前文档</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>Save the active document with a new name</source>
        <translation>用新名称保存当前文档</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>&amp;Print...	Ctrl+P</source>
        <translation>打印(&amp;P)...	Ctrl+P</translation>
    </message>
    <message>
        <source>Print the active document</source>
        <translation>打印当前文档</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>打印预览(&amp;V)</translation>
    </message>
    <message>
        <source>Display full pages</source>
        <translation>显示整页</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>打印预览</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>打印设置(&amp;R)...</translation>
    </message>
    <message>
        <source>Change the printer and printing options</source>
        <translation>更改打印机及打印选项</translation>
    </message>
    <message>
        <source>&amp;Export PDF...</source>
        <translation>导出PDF(&amp;E)...</translation>
    </message>
    <message>
        <source>Write the settings report to a PDF file</source>
        <translation>把设置报表写成PDF文件</translation>
    </message>
    <message>
        <source>Export PDF</source>
        <translation>导出PDF</translation>
    </message>
    <message>
        <source>Print Setup</source>
        <translation>打印设置</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>最近文件</translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation>打开该文档</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents</source>
        <translation>退出应用程序；提示保存文档</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>&amp;Read From Radio	Ctrl+R</source>
        <translation>读频(&amp;R)	Ctrl+R</translation>
    </message>
    <message>
        <source>Read Data From Radio</source>
        <translation>从对讲机读取数据</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读频</translation>
    </message>
    <message>
        <source>&amp;Write To Radio	Ctrl+W</source>
        <translation>写频(&amp;W)	Ctrl+W</translation>
    </message>
    <message>
        <source>Write Data to Radio </source>
        <translation>把数据写入对讲机</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>写频</translation>
    </message>
    <message>
        <source>&amp;Test Mode	Ctrl+T</source>
        <translation>在线调试(&amp;T)	Ctrl+T</translation>
    </message>
    <message>
        <source>Debug TX Power,Squelch Level,Low Power Alert</source>
        <translation>调试发射功率、静噪等级、低电报警</translation>
    </message>
    <message>
        <source>Debug on line</source>
        <translation>在线调试</translation>
    </message>
    <message>
        <source>&amp;Edit Data	Ctrl+E</source>
        <translation>编辑数据(&amp;E)	Ctrl+E</translation>
    </message>
    <message>
        <source>Edit channel Data </source>
        <translation>编辑信道数据</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>&amp;Key Assignment	Ctrl+K</source>
        <translation>按键设置(&amp;K)	Ctrl+K</translation>
    </message>
    <message>
        <source>&amp;Optional Features	Ctrl+O</source>
        <translation>可选功能(&amp;O)	Ctrl+O</translation>
    </message>
    <message>
        <source>Set the rest  functional features for the interphone</source>
        <translation>设置对讲机的其他功能</translation>
    </message>
    <message>
        <source>Two Tone	Ctrl+Y</source>
        <translation>双音信令	Ctrl+Y</translation>
    </message>
    <message>
        <source>COM1(&amp;P)	Ctrl+C</source>
        <translation>COM1(&amp;P)	Ctrl+C</translation>
    </message>
    <message>
        <source>Choose Communication Port one </source>
        <translation>选择通信端口一</translation>
    </message>
    <message>
        <source>Com1</source>
        <translation>端口1</translation>
    </message>
    <message>
        <source>COM2(&amp;Q)	Ctrl+D</source>
        <translation>COM2(&amp;Q)	Ctrl+D</translation>
    </message>
    <message>
        <source>Choose Communication Port two </source>
        <translation>选择通信端口二</translation>
    </message>
    <message>
        <source>Com2</source>
        <translation>端口2</translation>
    </message>
    <message>
        <source>COM3(&amp;S)	Ctrl+E</source>
        <translation>COM3(&amp;S)	Ctrl+E</translation>
    </message>
    <message>
        <source>Choose Communication Port three </source>
        <translation>选择通信端口三</translation>
    </message>
    <message>
        <source>Com3</source>
        <translation>端口3</translation>
    </message>
    <message>
        <source>COM4(&amp;T)	Ctrl+F</source>
        <translation>COM4(&amp;T)	Ctrl+F</translation>
    </message>
    <message>
        <source>Choose Communication Port four </source>
        <translation>选择通信端口四</translation>
    </message>
    <message>
        <source>Com4</source>
        <translation>端口4</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>工具栏(&amp;T)</translation>
    </message>
    <message>
        <source>Show or hide the toolbar</source>
        <translation>显示或隐藏工具栏</translation>
    </message>
    <message>
        <source>Toggle ToolBar</source>
        <translation>切换工具栏</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>状态栏(&amp;S)</translation>
    </message>
    <message>
        <source>Show or hide the status bar</source>
        <translation>显示或隐藏状态栏</translation>
    </message>
    <message>
        <source>Toggle StatusBar</source>
        <translation>切换状态栏</translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation>帮助主题(&amp;H)</translation>
    </message>
    <message>
        <source>List Help topics</source>
        <translation>列出帮助主题</translation>
    </message>
    <message>
        <source>Help Topics</source>
        <translation>帮助主题</translation>
    </message>
    <message>
        <source>&amp;About Velmar-2.0...</source>
        <translation>关于 Velmar-2.0(&amp;A)...</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright</source>
        <translation>显示程序信息、版本号和版权</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Display help for clicked on buttons, menus and windows</source>
        <translation>显示所单击的按钮、菜单和窗口的帮助</translation>
    </message>
    <message>
        <source>Display help for current task or command</source>
        <translation>显示当前任务或命令的帮助</translation>
    </message>
    <message>
        <source>Next Pane</source>
        <translation>下一窗格</translation>
    </message>
    <message>
        <source>Switch to the next window pane</source>
        <translation>切换到下一个窗格</translation>
    </message>
    <message>
        <source>Previous Pane</source>
        <translation>上一窗格</translation>
    </message>
    <message>
        <source>Switch back to the previous window pane</source>
        <translation>切换回上一个窗格</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>P&amp;ort</source>
        <translation>端口(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>查看(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>Velmar Programing Software</source>
        <translation>Velmar 写频软件</translation>
    </message>
    <message>
        <source>&amp;Program</source>
        <translation>编程(&amp;P)</translation>
    </message>
    <message>
        <source>About Velmar</source>
        <translation>关于 Velmar</translation>
    </message>
    <message>
        <source>Velmar Programing Software Version 2.0</source>
        <translation>Velmar 写频软件 2.0 版</translation>
    </message>
    <message>
        <source>Copyright (C) Velmar</source>
        <translation>版权所有 (C) Velmar</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>关于(&amp;A)...</translation>
    </message>
    <message>
        <source>Velmar Electronics  Programing Software</source>
        <translation>Velmar 电子写频软件</translation>
    </message>
    <message>
        <source>&amp;About Velmar-1.0...</source>
        <translation>关于 Velmar-1.0(&amp;A)...</translation>
    </message>
    <message>
        <source>Velmar Electronics  Programing Software Version 1.0</source>
        <translation>Velmar 电子写频软件 1.0 版</translation>
    </message>
    <message>
        <source>Velmar Radio Programming Software</source>
        <translation>Velmar 对讲机写频软件</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Edit Data	Ctrl+G</source>
        <translation>编辑数据(&amp;E)	Ctrl+G</translation>
    </message>
    <message>
        <source>&amp;About Velmar...</source>
        <translation>关于 Velmar(&amp;A)...</translation>
    </message>
    <message>
        <source>About Marlowe</source>
        <translation>关于 Marlowe</translation>
    </message>
    <message>
        <source>Velmar Serials Radio Programing Software</source>
        <translation>Velmar 系列对讲机写频软件</translation>
    </message>
    <message>
        <source>&amp;About Velmar-1.1...</source>
        <translation>关于 Velmar-1.1(&amp;A)...</translation>
    </message>
    <message>
        <source>Velmar Serials Radio Programing Software Version 1.1</source>
        <translation>Velmar 系列对讲机写频软件 1.1 版</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>标准</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>大写</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>数字</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>滚动</translation>
    </message>
    <message>
        <source>%1 (device %2)</source>
        <translation>%1（设备 %2）</translation>
    </message>
    <message>
        <source>For Help，Please Press F1</source>
        <translation>如需帮助，请按F1键</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>Undo the last change</source>
        <translation>撤销上一次更改</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>Redo the change undone last</source>
        <translation>重做上一次撤销的更改</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>剪切(&amp;T)</translation>
    </message>
    <message>
        <source>Copy the selection to the clipboard and empty it</source>
        <translation>把选中内容复制到剪贴板并清空</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>Copy the selected channels or cells to the clipboard as text</source>
        <translation>把选中的信道或格子以文本复制到剪贴板</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>粘贴(&amp;P)</translation>
    </message>
    <message>
        <source>Paste channels from the clipboard over the selection</source>
        <translation>用剪贴板中的信道覆盖选中的行</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>Paste &amp;Inserted</source>
        <translation>插入粘贴(&amp;I)</translation>
    </message>
    <message>
        <source>Insert the channels of the clipboard above the selection</source>
        <translation>把剪贴板中的信道插入到选中行的上方</translation>
    </message>
    <message>
        <source>Insert &amp;Empty Channel	Ins</source>
        <translation>插入空信道(&amp;E)	Ins</translation>
    </message>
    <message>
        <source>Insert empty channels above the selection; the channels below move down</source>
        <translation>在选中行的上方插入空信道，下面的信道依次下移</translation>
    </message>
    <message>
        <source>&amp;Delete Channel</source>
        <translation>删除信道(&amp;D)</translation>
    </message>
    <message>
        <source>Delete the selected channels: their rows become empty</source>
        <translation>删除选中的信道：这些行变为空</translation>
    </message>
    <message>
        <source>&amp;Move Up</source>
        <translation>上移(&amp;M)</translation>
    </message>
    <message>
        <source>Move the selected channels up one row</source>
        <translation>把选中的信道上移一行</translation>
    </message>
    <message>
        <source>Move D&amp;own</source>
        <translation>下移(&amp;O)</translation>
    </message>
    <message>
        <source>Move the selected channels down one row</source>
        <translation>把选中的信道下移一行</translation>
    </message>
    <message>
        <source>&amp;Fill Down</source>
        <translation>向下填充(&amp;F)</translation>
    </message>
    <message>
        <source>Copy the first selected row's values into the other selected rows</source>
        <translation>把选中的第一行的数值复制到其余选中的行</translation>
    </message>
    <message>
        <source>Cle&amp;ar	Del</source>
        <translation>清除(&amp;A)	Del</translation>
    </message>
    <message>
        <source>Empty the selected cells</source>
        <translation>清空选中的格子</translation>
    </message>
    <message>
        <source>Select A&amp;ll Channels</source>
        <translation>全选信道(&amp;L)</translation>
    </message>
    <message>
        <source>Select every channel row</source>
        <translation>选中所有信道行</translation>
    </message>
</context>
<context>
    <name>CVelApp</name>
    <message>
        <source>The name is the value of LANGUAGE in [MAIN] of %1 (LANGUAGE_FORCE=1), read as &quot;%2&quot;.</source>
        <translation>这个名称是 %1 中 [MAIN] 节 LANGUAGE 的值（LANGUAGE_FORCE=1），读到的是“%2”。</translation>
    </message>
    <message>
        <source>A value runs to the end of its line: only &quot;//&quot;, &quot;/*&quot; or a tab followed by &quot;;&quot; cut a comment off. Put comments on lines of their own.</source>
        <translation>值一直到行尾：只有“//”、“/*”或制表符后跟“;”才会截去注释。请把注释写在单独的一行。</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Channel Data (*.sin)</source>
        <translation>写频数据 (*.sin)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>所有文件 (*)</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>Write Data</source>
        <translation>写频数据</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>是否保存对 %1 的更改？</translation>
    </message>
    <message>
        <source>This command is not yet available.</source>
        <translation>此命令暂不可用。</translation>
    </message>
    <message>
        <source>The help pages %1 cannot be found.</source>
        <translation>找不到帮助文件 %1。</translation>
    </message>
    <message>
        <source>The configuration file %1 cannot be read: %2. Its settings are not used.</source>
        <translation>无法读取配置文件 %1：%2。其中的设置未被采用。</translation>
    </message>
</context>
<context>
    <name>CVelDoc</name>
    <message>
        <source>Untitled</source>
        <translation>无标题</translation>
    </message>
    <message>
        <source>The file could not be read.</source>
        <translation>无法读取该文件。</translation>
    </message>
    <message>
        <source>The file could not be saved.</source>
        <translation>无法保存该文件。</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>放弃</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>重试</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
</TS>
