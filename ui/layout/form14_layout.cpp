#include "window_layout.h"

namespace popolun::layout {

namespace {

constexpr Font kSectionMark{Face::gothic, 18, true};

constexpr Control kControls[] = {
    {.id = settings::extensionMark, .name = "Label6", .kind = Kind::label, .caption = "①", .box = {16, 16, 49, 41}, .font = kSectionMark,
     .decorative = true},
    {.id = settings::extensionLabel, .name = "Label1", .kind = Kind::label, .caption = "asxの設定　拡張子", .box = {128, 24, 145, 17},
     .font = {Face::pGothic, 9.75, true}, .labels = settings::extension},
    {.id = settings::extensionHint, .name = "Label2", .kind = Kind::label, .caption = "拡張子の前に必ず点を入れてください。avi、ｍｐｇの時",
     .box = {80, 64, 177, 25}, .font = {Face::pGothic, 9, true}, .describes = settings::extension},
    {.id = settings::extension, .name = "Text4", .kind = Kind::textField, .box = {144, 144, 57, 25}, .font = {Face::pGothic, 12, true},
     .tabOrder = 1, .accessibleName = "拡張子"},
    {.id = settings::sizeMark, .name = "Label8", .kind = Kind::label, .caption = "②", .box = {288, 16, 57, 41}, .font = kSectionMark,
     .decorative = true},
    {.id = settings::widthLabel, .name = "Label4", .kind = Kind::label, .caption = "幅", .box = {280, 64, 25, 25}, .labels = settings::width},
    {.id = settings::width, .name = "Text12", .kind = Kind::textField, .box = {312, 64, 33, 25}, .tabOrder = 2},
    {.id = settings::illustration, .name = "Image1", .kind = Kind::picture, .box = {304, 96, 137, 94}, .picture = Picture::illustration,
     .accessibleName = "プレーヤーの幅と高さの図"},
    // Lies over the right part of the picture, and is drawn above it.
    {.id = settings::heightLabel, .name = "Label5", .kind = Kind::label, .caption = "高さ", .box = {400, 120, 41, 25},
     .background = system(Colour::dialog)},
    {.id = settings::sizeFrame, .name = "Frame1", .kind = Kind::frame, .caption = "大きさ", .box = {448, 40, 129, 113}},
    {.id = settings::sizeHint, .name = "Label7", .kind = Kind::label,
     .caption = "160、320、480、640　他いろいろサイズがあります。幅に数値を入れると自動で高さが決まります。",
     .box = {8, 24, 105, 81}, .parent = settings::sizeFrame, .describes = settings::width},
    {.id = settings::autostartLabel, .name = "Label3", .kind = Kind::label, .caption = "オート起動", .box = {272, 208, 65, 25}},
    {.id = settings::on, .name = "Option1", .kind = Kind::optionButton, .caption = "オン", .box = {344, 200, 89, 33}, .tabOrder = 3,
     .group = settings::autostartLabel},
    {.id = settings::off, .name = "Option2", .kind = Kind::optionButton, .caption = "オフ", .box = {344, 232, 105, 33}, .tabOrder = 4,
     .group = settings::autostartLabel},
    {.id = settings::back, .name = "Command1", .kind = Kind::button, .caption = "戻る", .box = {24, 208, 49, 25},
     .font = {Face::gothic, 9, true}, .background = rgb(255, 128, 0), .tabOrder = 5},
    {.id = settings::help, .name = "Command2", .kind = Kind::button, .caption = "?", .box = {72, 208, 49, 25},
     .font = {Face::pGothic, 9.75, true}, .background = rgb(255, 255, 0), .tabOrder = 6, .accessibleName = "ヘルプ"},
};
static_assert(inIdOrder(kControls));

constexpr Window kForm14{
    .name = "Form14",
    .caption = "一発ポポルン　ベーシック版　設定",
    .clientWidth = 583,
    .clientHeight = 267,
    .background = Colour::dialog,
    .controls = kControls,
};

} // namespace

const Window& form14() { return kForm14; }

} // namespace popolun::layout
