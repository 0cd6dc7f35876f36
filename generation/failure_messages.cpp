#include "failure_messages.h"

namespace popolun {

namespace {

const std::string kNothingMade = "何も作成していません。";

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
        return "「" + check.character + "」は名前に使えません。" + kNothingMade;
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

std::string describeFolderExists(const std::string& folder)
{
    // A file or a link of that name stops the folder just as well; say neither.
    return "「" + folder + "」という名前のものがすでにあります。別の名前を記入してください。"
           "（すでにあるものはそのままです。）";
}

std::string describeProgramDirectoryUnknown()
{
    return "プログラムのフォルダーが分からないため、保存先を決められません。" + kNothingMade;
}

std::string describeFolderFailure(const std::string& folder, const FsResult& result)
{
    return "フォルダー「" + folder + "」を作成できませんでした。" + reason(result) + kNothingMade;
}

std::string describeFileFailure(const std::string& file, const FsResult& result,
                                const std::vector<std::string>& notRemoved)
{
    std::string message = "ファイル「" + file + "」を書き込めませんでした。" + reason(result);
    if (notRemoved.empty())
        return message + "作りかけのフォルダーとファイルは削除しました。";
    message += "作りかけの次のものを削除できませんでした：";
    for (const auto& path : notRemoved)
        message += "「" + path + "」";
    return message;
}

} // namespace popolun
