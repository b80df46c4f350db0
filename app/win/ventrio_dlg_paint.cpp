// The main window's picture, drawn off screen over its background and copied in one block.
#include <array>
#include <string>

#include "app/win/ventrio_dlg.h"
#include "platform/win/wide_text.h"
#include "skin/win/skin_image.h"
#include "skin/win/skin_paint.h"

namespace ventrio {
namespace {

struct Mark {
    int button;  // 1 to 7
    int x;
    int y;
};

struct MouseView {
    const char* image;
    int x;
    int y;
    const char* markPrefix;  // the marks' folder and letter
    std::array<Mark, 7> marks;
    int markCount;
};

constexpr MouseView kViews[] = {
    {"Skins\\Mouse\\Front\\MouseFront.png",
     355,
     34,
     "/Mouse/Front/F-",
     {{{1, 362, 82},
       {2, 550, 82},
       {3, 498, 159},
       {4, 362, 206},
       {5, 362, 256},
       {6, 498, 223},
       {7, 498, 249}}},
     7},
    {"Skins\\Mouse\\Side\\MouseSide.png",
     345,
     44,
     "/Mouse/Side/S-",
     {{{1, 510, 129},
       {2, 501, 71},
       {3, 525, 159},
       {4, 345, 212},
       {5, 345, 253},
       {6, 548, 226},
       {7, 554, 252}}},
     7},
    {"Skins\\Mouse\\Back\\MouseBack.png",
     394,
     46,
     "/Mouse/Back/B-",
     {{{4, 577, 209}, {5, 582, 248}}},
     2},
};

}  // namespace

bool CVentrioDlg::OnPaint() {
    PaintScope paint(Handle());
    PaintTo(paint.Dc());
    return true;
}

bool CVentrioDlg::OnPrintClient(HDC dc) {
    PaintTo(dc);
    return true;
}

void CVentrioDlg::PaintTo(HDC target) {
    PaintDoubleBuffered(target, ClientSize(Handle()), m_background.Get(), m_mainFont.Get(),
                        "CVentrioDlg", [this](HDC dc) { PaintContents(dc); });
}

void CVentrioDlg::PaintContents(HDC dc) {
    DrawSkinImage(dc, "Skins\\Logo.png", 20, 32);

    DrawSkinImage(dc, "Skins\\BK_MainMid.png", 262, 35);
    if (m_view >= 1 && m_view <= 3) {
        const MouseView& view = kViews[m_view - 1];
        DrawSkinImage(dc, view.image, view.x, view.y);
        for (int i = 0; i < view.markCount; ++i) {
            const Mark& mark = view.marks[static_cast<size_t>(i)];
            const char* look = mark.button - 1 == m_highlightedButton ? "-over.png" : "-normal.png";
            DrawSkinImage(
                dc, std::string("Skins") + view.markPrefix + std::to_string(mark.button) + look,
                mark.x, mark.y);
        }
    }

    DrawSkinImage(dc, "/Skins/BK_MainLeft.png", 20, 107);
    DrawSkinImage(dc, "Skins\\MLogo.png", 40, 525);

    const std::wstring note = Widen(m_localisation.texts.Text(587));
    TextOutW(dc, 94, 612, note.c_str(), static_cast<int>(note.size()));
}

}  // namespace ventrio
