#include "window_layout.h"

namespace popolun::layout {

namespace {

constexpr Control kControls[] = {
    {.name = "Image2", .kind = Kind::picture, .box = {40, 0, 356, 84}, .picture = Picture::banner,
     .accessibleName = "ポポルン"},
    {.name = "Label7", .kind = Kind::label, .caption = "例：bb.wmvは”ｂｂ”と記入。", .box = {152, 104, 177, 25},
     .font = {Face::pGothic, 9.75}, .background = system(Colour::window), .text = system(Colour::windowText)},
    {.name = "Text1", .kind = Kind::textField, .box = {176, 128, 97, 33},
     .tooltip = "ビデオファイルの拡張子抜きファイル名を記入", .tabOrder = 1,
     .accessibleName = "ビデオファイル名（拡張子なし）"},
    {.name = "Command1", .kind = Kind::button, .caption = "一発作成", .box = {168, 184, 121, 49},
     .background = rgb(192, 255, 192), .tooltip = "フォルダーとasxファイル、ｈｔｍファイル二個自動作成", .tabOrder = 2},
    // The band the three small buttons lie on; one pixel short of the right edge.
    {.name = "Label8", .kind = Kind::label, .box = {0, 264, 433, 57}, .background = rgb(192, 192, 255),
     .text = system(Colour::windowText), .decorative = true},
    {.name = "Command5", .kind = Kind::button, .caption = "?", .box = {256, 288, 49, 25},
     .font = {Face::pGothic, 9.75, true}, .background = rgb(255, 255, 0), .tabOrder = 5, .accessibleName = "ヘルプ"},
    {.name = "Command2", .kind = Kind::button, .caption = "終了", .box = {304, 288, 57, 25},
     .font = {Face::pGothic, 9, true}, .background = rgb(0, 255, 0), .tooltip = "終了", .tabOrder = 3},
    {.name = "Command4", .kind = Kind::button, .caption = "設定", .box = {360, 288, 49, 25},
     .font = {Face::pGothic, 9, true}, .background = rgb(255, 128, 255),
     .tooltip = "通常設定不要　ビデオ拡張子がavi、mpg、の時　使用。", .tabOrder = 4},
};

constexpr Window kForm13{
    .name = "Form13",
    .caption = "ポポルン　ベーシック版",
    .clientWidth = 434,
    .clientHeight = 323,
    .background = Colour::window,
    .controls = kControls,
};

} // namespace

const Window& form13() { return kForm13; }

} // namespace popolun::layout
