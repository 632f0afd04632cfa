#pragma once
// Message boxes: caption first, then text, each cut to 255 characters.

#include <string_view>

#include "core/user_port.h"

namespace tovel {

constexpr std::size_t kMessageLimit = 255;

int Notice(UserPort& port, std::string_view caption, std::string_view text);
int NoticeWith(UserPort& port, std::string_view caption, std::string_view text, MessageIcon icon);
int AskYesNo(UserPort& port, std::string_view caption, std::string_view text);
// defaultAnswer is the button Enter presses (kAnswerYes or kAnswerNo).
int AskYesNoWith(UserPort& port, std::string_view caption, std::string_view text, MessageIcon icon,
                 int defaultAnswer = kAnswerYes);
int AskYesNoCancel(UserPort& port, std::string_view caption, std::string_view text);
int AskYesNoCancelWith(UserPort& port, std::string_view caption, std::string_view text,
                       MessageIcon icon);

}  // namespace tovel
