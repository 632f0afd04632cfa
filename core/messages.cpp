#include "core/messages.h"

#include "core/utf8.h"

namespace tovel {

namespace {

int Show(UserPort& port, std::string_view caption, std::string_view text, MessageIcon icon,
         MessageButtons buttons, int defaultAnswer = 0) {
    return port.ShowMessage(Message{Utf8Prefix(caption, kMessageLimit),
                                    Utf8Prefix(text, kMessageLimit), icon, buttons, defaultAnswer});
}

}  // namespace

int Notice(UserPort& port, std::string_view caption, std::string_view text) {
    return Show(port, caption, text, MessageIcon::None, MessageButtons::Ok);
}

int NoticeWith(UserPort& port, std::string_view caption, std::string_view text, MessageIcon icon) {
    return Show(port, caption, text, icon, MessageButtons::Ok);
}

int AskYesNo(UserPort& port, std::string_view caption, std::string_view text) {
    return Show(port, caption, text, MessageIcon::None, MessageButtons::YesNo);
}

int AskYesNoWith(UserPort& port, std::string_view caption, std::string_view text, MessageIcon icon,
                 int defaultAnswer) {
    return Show(port, caption, text, icon, MessageButtons::YesNo, defaultAnswer);
}

int AskYesNoCancel(UserPort& port, std::string_view caption, std::string_view text) {
    return Show(port, caption, text, MessageIcon::None, MessageButtons::YesNoCancel);
}

int AskYesNoCancelWith(UserPort& port, std::string_view caption, std::string_view text,
                       MessageIcon icon) {
    return Show(port, caption, text, icon, MessageButtons::YesNoCancel);
}

}  // namespace tovel
