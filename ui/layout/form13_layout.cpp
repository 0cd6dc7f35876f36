#include "window_layout.h"

namespace popolun::layout {

namespace {

constexpr Control kControls[] = {
    {.id = main::banner, .name = "Image2", .kind = Kind::picture, .box = {40, 0, 356, 84}, .picture = Picture::banner,
     .accessibleName = "ポポルン"},
    {.id = main::example, .name = "Label7", .kind = Kind::label, .caption = "例：bb.wmvは”ｂｂ”と記入。", .box = {152, 104, 177, 25},
     .font = {Face::pGothic, 9.75}, .background = system(Colour::window), .text = system(Colour::windowText)},
    {.id = main::name, .name = "Text1", .kind = Kind::textField, .box = {176, 128, 97, 33},
     .tooltip = "ビデオファイルの拡張子抜きファイル名を記入", .tabOrder = 1,
     .accessibleName = "ビデオファイル名（拡張子なし）"},
    {.id = main::create, .name = "Command1", .kind = Kind::button, .caption = "一発作成", .box = {168, 184, 121, 49},
     .background = rgb(192, 255, 192), .tooltip = "フォルダーとasxファイル、ｈｔｍファイル二個自動作成", .tabOrder = 2},
    // The band the three small buttons lie on; one pixel short of the right edge.
    {.id = main::band, .name = "Label8", .kind = Kind::label, .box = {0, 264, 433, 57}, .background = rgb(192, 192, 255),
     .text = system(Colour::windowText), .decorative = true},
    {.id = main::help, .name = "Command5", .kind = Kind::button, .caption = "?", .box = {256, 288, 49, 25},
     .font = {Face::pGothic, 9.75, true}, .background = rgb(255, 255, 0), .tabOrder = 5, .accessibleName = "ヘルプ"},
    {.id = main::exit, .name = "Command2", .kind = Kind::button, .caption = "終了", .box = {304, 288, 57, 25},
     .font = {Face::pGothic, 9, true}, .background = rgb(0, 255, 0), .tooltip = "終了", .tabOrder = 3},
    {.id = main::settings, .name = "Command4", .kind = Kind::button, .caption = "設定", .box = {360, 288, 49, 25},
     .font = {Face::pGothic, 9, true}, .background = rgb(255, 128, 255),
     .tooltip = "通常設定不要　ビデオ拡張子がavi、mpg、の時　使用。", .tabOrder = 4},
};
static_assert(inIdOrder(kControls));

constexpr Window kForm13{
    .name = "Form13",
    .caption = "ポポルン　ベーシック版",
    .placement = Placement::centred,
    .takesDrops = true,
    .clientWidth = 434,
    .clientHeight = 323,
    .background = Colour::window,
    .controls = kControls,
};

} // namespace

const Window& form13() { return kForm13; }

} // namespace popolun::layout
