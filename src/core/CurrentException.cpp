#include "core/CurrentException.h"

#include <exception>
#include <filesystem>
#include <new>

#include "core/Errors.h"
#include "core/PrintableText.h"

std::string MessageOfCurrentException() {
    try {
        throw;
    } catch (const UserError& e) {
        return e.what();
    } catch (const std::bad_alloc&) {
        return "メモリが足りないため、処理を続けられません。";
    } catch (const std::filesystem::filesystem_error& e) {
        std::string text = "ファイルやフォルダーを扱えません";
        if (!e.path1().empty()) text += "「" + PrintableText(e.path1().string()) + "」";
        return text + "。(" + e.code().message() + ")";
    } catch (const std::exception& e) {
        return "予期しないエラーのため、処理を続けられません。(" + PrintableText(e.what()) + ")";
    } catch (...) {
        return "予期しないエラーのため、処理を続けられません。";
    }
}
