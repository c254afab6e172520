// The main window's own texts, and the addresses of our web pages.
#pragma once

inline constexpr const wchar_t* kAppTitle = L"Vexlo 1.0 免费版";

// Our web pages: the product page shown during downloads, the feedback guestbook shown on
// the feedback page, and the forum the feedback link opens.
inline constexpr const wchar_t* kProductPage = L"http://www.vexlo.example/software/vexlo.htm";
inline constexpr const wchar_t* kGuestbookPage = L"http://guestbook.vexlo.example/index.php?tid=20110316";
inline constexpr const wchar_t* kForumPage = L"http://bbs.vexlo.example/forumdisplay.php?fid=39";

inline constexpr const wchar_t* kMakerCredit = L"Vexlo 仿站工具 —— Vexlo 开发组制作，欢迎访问 www.vexlo.example";

// The description on step one, line by line.
inline constexpr const wchar_t* kDescription[] = {
    L"功能简介：",
    L"",
    L"    本程序主要用于仿站！",
    L"",
    L"    打开从网上下载保存的Css样式文件，按照程序第一、二、三、四步进行处理，Css",
    L"文件中的图片会被保存下来，默认保存路径是Css文件所在目录，并自动修改Css文件中原图",
    L"片路径地址为相对地址，修改前会自动备份原文件。",
    L"",
    L"    使用中有任何问题请到论坛交流，感谢您的建议，谢谢。",
    L"",
    L"    官方网站：http://www.vexlo.example    交流论坛：http://bbs.vexlo.example",
    L"    版本：1.0 免费版    构建日期：2011-03-16",
};

// The path help on step three, line by line; the example site is ours.
inline constexpr const wchar_t* kPathHelp[] = {
    L"什么是绝对路径和相对路径？",
    L"如果网站域名是 www.vexlo.example",
    L"样式表中有如下语句  background:url('/image/top.gif')",
    L"/image/top.gif    就是属于绝对路径，那图片真正地址是",
    L"http://www.vexlo.example/image/top.gif ，需要加前缀http://www.vexlo.example",
    L"",
    L"样式表中有如下语句  background:url('image/top.gif')",
    L"image/top.gif    就是属于相对路径，相对路径是相对于CSS文件所在网络路径而言",
    L"如果CSS文件的网络路径是 http://www.vexlo.example/kk/style.css",
    L"那相对路径的前缀就应该填写   http://www.vexlo.example/kk/",
};

inline constexpr const wchar_t* kDefaultPattern = L"background(.*?)url\\((.*?)\\)";
inline constexpr const wchar_t* kStep4Button = L"如果上一步中得到的图片地址都是以 http:// 开头的，则点击这里！";
