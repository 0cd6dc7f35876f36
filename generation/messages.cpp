#include "messages.h"

#include <utility>

namespace popolun {

namespace {

constexpr std::pair<Message, std::string_view> kSentences[] = {
    {Message::saved, "保存しました。"},
    {Message::enterName, "記入しましょう。"},
    {Message::nothingMade, "何も作成していません。"},
    {Message::separator, "名前に「/」や「\\」は使えません。"},
    {Message::dotName, "「.」や「..」は名前に使えません。"},
    {Message::reservedCharacter, "名前に「{}」は使えません（< > : \" | ? * は使えません）。"},
    {Message::controlCharacter, "名前に制御文字が入っています。"},
    {Message::invalidText, "名前の文字を読み取れません。"},
    {Message::trailingDotOrSpace, "名前の最後に点や空白は使えません。"},
    {Message::deviceName, "「{}」は名前に使えません。"},
    {Message::nameWithoutCp932Form, "名前の「{}」はShift_JISで書けない文字です。"},
    {Message::tooLong, "名前が長すぎます。あと{}文字短くしてください。"},
    {Message::stagingName, "「{}」で始まる名前は、このプログラムが作業用のフォルダーに使うため使えません。"},
    {Message::widthNotANumber, "幅は半角数字で入力してください。"},
    {Message::settingWithoutCp932Form, "設定の「{}」はShift_JISで書けない文字です。"},
    {Message::programDirectoryUnknown, "プログラムのフォルダーが分からないため、保存先を決められません。"},
    {Message::nameTaken, "「{}」という名前のものがすでにあります。別の名前を記入してください。（すでにあるものはそのままです。）"},
    {Message::folderNotMade, "フォルダー「{}」を作成できませんでした。"},
    {Message::fileNotWritten, "ファイル「{}」を書き込めませんでした。"},
    {Message::fileNotFlushed, "ファイル「{}」の書き込みの確定（ディスクへの書き出し）ができませんでした。"},
    {Message::notRenamed, "作業用のフォルダーから「{}」への名前の変更ができませんでした。"},
    {Message::folderNotFlushed, "フォルダー「{}」の確定（ディスクへの書き出し）ができませんでした。"},
    {Message::removed, "作りかけのフォルダーとファイルは削除しました。"},
    {Message::notRemoved, "作りかけの次のものを削除できませんでした：{}"},
    {Message::reasonTaken, "同じ名前のものがすでにあります。"},
    {Message::reasonNotFound, "保存先のフォルダーが見つかりません。"},
    {Message::reasonAccessDenied, "書き込む権限がありません。"},
    {Message::reasonReadOnly, "読み取り専用の場所です。"},
    {Message::reasonNoSpace, "ディスクの空き容量が足りません。"},
    {Message::reasonNameTooLong, "名前が長すぎます。"},
    {Message::reasonInvalidName, "この名前はファイル名に使えません。"},
    {Message::reasonIoError, "ディスクの読み書きでエラーが起きました。"},
    {Message::reasonSystem, "システムエラー（{}）"},
    {Message::notOneVideo, "ビデオファイルは一つだけにしてください（{}個ありました）。"},
    {Message::droppedFolder, "「{}」はフォルダーです。ビデオファイルを一つ選んでください。"},
    {Message::droppedNotAFile, "「{}」はファイルではありません。ビデオファイルを一つ選んでください。"},
    {Message::nothingChanged, "何も変更していません。"},
    {Message::helpMissing, "ヘルプが見つかりません。「{}」も「{}」も、プログラムのフォルダー「{}」にありません。"},
};

constexpr bool oneSentenceEach()
{
    int n = 0;
    for (const auto& [message, text] : kSentences) {
        if (static_cast<int>(message) != n++)
            return false;
    }
    return n == kMessageCount;
}
static_assert(oneSentenceEach(), "one sentence for each message, in the enum's order");

} // namespace

std::string_view sentence(Message message) { return kSentences[static_cast<int>(message)].second; }

std::string say(Message message, std::initializer_list<std::string_view> parts)
{
    const std::string_view text = sentence(message);
    std::string out;
    const auto* part = parts.begin();
    std::size_t start = 0;
    for (std::size_t at; (at = text.find("{}", start)) != std::string_view::npos; start = at + 2) {
        out += text.substr(start, at - start);
        if (part != parts.end())
            out += *part++;
    }
    out += text.substr(start);
    return out;
}

} // namespace popolun
