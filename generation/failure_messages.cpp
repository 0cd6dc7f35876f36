#include "failure_messages.h"

#include "help.h"
#include "platform/module1.h"
#include "shown_text.h"

namespace popolun {

namespace {

const std::string kNothingMade = "何も作成していません。";

std::string shown(const std::string& path) { return shownPath(path, pathSeparator()); }

std::string reason(const FsResult& result)
{
    switch (result.error) {
    case FsError::none: return {};
    case FsError::alreadyExists: return "同じ名前のものがすでにあります。";
    case FsError::notFound: return "保存先のフォルダーが見つかりません。";
    case FsError::accessDenied: return "書き込む権限がありません。";
    case FsError::readOnly: return "読み取り専用の場所です。";
    case FsError::noSpace: return "ディスクの空き容量が足りません。";
    case FsError::nameTooLong: return "名前が長すぎます。";
    case FsError::invalidName: return "この名前はファイル名に使えません。";
    case FsError::ioError: return "ディスクの読み書きでエラーが起きました。";
    case FsError::other: break;
    }
    return "システムエラー（" + result.systemText + "）";
}

} // namespace

std::string describeNameProblem(const NameCheck& check)
{
    switch (check.problem) {
    case NameProblem::none: return {};
    case NameProblem::separator:
        return "名前に「/」や「\\」は使えません。" + kNothingMade;
    case NameProblem::dotName:
        return "「.」や「..」は名前に使えません。" + kNothingMade;
    case NameProblem::reservedCharacter:
        return "名前に「" + check.character + "」は使えません（< > : \" | ? * は使えません）。" + kNothingMade;
    case NameProblem::controlCharacter:
        return "名前に制御文字が入っています。" + kNothingMade;
    case NameProblem::invalidText:
        return "名前の文字を読み取れません。" + kNothingMade;
    case NameProblem::noCp932Form:
        return "名前の「" + check.character + "」はShift_JISで書けない文字です。" + kNothingMade;
    case NameProblem::trailingDotOrSpace:
        return "名前の最後に点や空白は使えません。" + kNothingMade;
    case NameProblem::deviceName:
        return "「" + shownName(check.character) + "」は名前に使えません。" + kNothingMade;
    case NameProblem::tooLong:
        return "名前が長すぎます。あと" + std::to_string(check.excess) + "文字短くしてください。" + kNothingMade;
    case NameProblem::stagingName:
        return "「" + check.character + "」で始まる名前は、このプログラムが作業用のフォルダーに使うため使えません。"
             + kNothingMade;
    }
    return {};
}

std::string describeWidthProblem()
{
    return "幅は半角数字で入力してください。" + kNothingMade;
}

std::string describeSettingWithoutCp932Form(const std::string& character)
{
    return "設定の「" + character + "」はShift_JISで書けない文字です。" + kNothingMade;
}

namespace {

std::string describeRemoval(const std::vector<std::string>& notRemoved)
{
    if (notRemoved.empty())
        return "作りかけのフォルダーとファイルは削除しました。";
    std::string message = "作りかけの次のものを削除できませんでした：";
    for (const auto& path : notRemoved)
        message += "「" + shown(path) + "」";
    return message;
}

} // namespace

std::string describeFolderExists(const std::string& folder, const std::vector<std::string>& notRemoved)
{
    // A file or a link of that name stops the folder just as well; say neither.
    std::string message = "「" + shown(folder) + "」という名前のものがすでにあります。別の名前を記入してください。"
                          "（すでにあるものはそのままです。）";
    return notRemoved.empty() ? message : message + describeRemoval(notRemoved);
}

std::string describeProgramDirectoryUnknown()
{
    return "プログラムのフォルダーが分からないため、保存先を決められません。" + kNothingMade;
}

std::string describeFolderFailure(const std::string& folder, const FsResult& result)
{
    return "フォルダー「" + shown(folder) + "」を作成できませんでした。" + reason(result) + kNothingMade;
}

std::string describeStepFailure(WriteStep step, const std::string& fullPath, const FsResult& result,
                                const std::vector<std::string>& notRemoved)
{
    const std::string path = shown(fullPath);
    std::string what;
    switch (step) {
    case WriteStep::write: what = "ファイル「" + path + "」を書き込めませんでした。"; break;
    case WriteStep::flush: what = "ファイル「" + path + "」の書き込みの確定（ディスクへの書き出し）ができませんでした。"; break;
    case WriteStep::rename: what = "作業用のフォルダーから「" + path + "」への名前の変更ができませんでした。"; break;
    case WriteStep::flushFolder: what = "フォルダー「" + path + "」の確定（ディスクへの書き出し）ができませんでした。"; break;
    }
    return what + reason(result) + describeRemoval(notRemoved);
}

std::string describeMissingHelp(const std::string& programDirectory)
{
    return std::string("ヘルプが見つかりません。「") + Module1::kHelpFile + "」も「" + kHelpPage + "」も、プログラムのフォルダー「"
         + shown(programDirectory) + "」にありません。";
}

} // namespace popolun
