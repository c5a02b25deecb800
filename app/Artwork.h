#pragma once

// The program's pictures, drawn at run time: toolbar buttons, list icons,
// tree images and the window icon. Each is drawn on a 32 x 32 grid and scaled.

#include <QIcon>
#include <QPixmap>

namespace artwork {

enum class Picture {
    Folder,
    RssChannel,
    RssChannelNews,
    WebPage,
    NewHeadline,
    ReadHeadline,
    New,
    Properties,
    Delete,
    Back,
    Next,
    Exit,
    Drag,
    DragNo,
    Refresh,
    Print,
    FullScreen,
    Home,
    WidenPage,
    Stop,
    PageProperties,
    Collapse,
    Expand,
    Forward,
    Go,
    LiveUpdate,
    Settings,
    SummaryTips,
    SearchChannels,
    StopUpdates,
    SearchHeadlines,
    Blank,
};

QPixmap pixmap(Picture picture, int size);
QIcon icon(Picture picture);
QIcon appIcon();

// The main window's image lists, 1-based as the window refers to them.
Picture imlButtons(int index); // 32 x 32, 9 images
Picture imageList1(int index); // 16 x 16, 27 images
Picture imlRSS(int index);     // tree images, 6

} // namespace artwork
