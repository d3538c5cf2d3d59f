#include "core/SystemErrorText.h"

#include <cerrno>

std::string DescribeSystemError(int error) {
    switch (error) {
        case ENOENT:
            return "ファイルまたはフォルダーがありません。";
        case ENOTDIR:
            return "途中にフォルダーでないものがあります。";
        case EISDIR:
            return "フォルダーです。ファイルを指定してください。";
        case EACCES:
        case EPERM:
            return "許可がありません。ファイルとフォルダーの許可を確かめてください。";
        case EROFS:
            return "読み取り専用のファイルシステムです。";
        case ENOSPC:
            return "ディスクがいっぱいです。空きを作ってからもう一度試してください。";
        case EDQUOT:
            return "ディスクの使用量の上限(クォータ)を超えました。";
        case EFBIG:
            return "ファイルの大きさの上限を超えました。";
        case ENAMETOOLONG:
            return "名前が長すぎます。";
        case ELOOP:
            return "シンボリックリンクが循環しているか、たどる数が多すぎます。";
        case EEXIST:
            return "同じ名前のものがすでにあります。";
        case EBUSY:
        case ETXTBSY:
            return "ほかのプログラムが使用中です。";
        case EIO:
            return "ディスクの読み書きで装置のエラーが起きました。";
        case EMFILE:
        case ENFILE:
            return "開いているファイルが多すぎます。";
        case ENOMEM:
            return "メモリが足りません。";
        case EXDEV:
            return "別のファイルシステムへは移せません。";
        case ENXIO:
        case ENODEV:
            return "装置がありません。";
        case EINVAL:
            return "このファイルシステムではできない操作です。";
        case EINTR:
            return "操作が中断されました。";
        case EAGAIN:
            return "一時的に使えません。しばらくしてからもう一度試してください。";
        default:
            return "システムのエラーが起きました(エラー番号 " + std::to_string(error) + ")。";
    }
}
