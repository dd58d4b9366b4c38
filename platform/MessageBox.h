#pragma once

#include <string>

enum class MessageIcon { None, Information, Stop };

// The application message box: the text, an OK button, the application's name as caption.
void AfxMessageBox(const std::u16string& text, MessageIcon icon = MessageIcon::None);

// The box the dialog layer shows when a handler ends with an invalid-argument error.
void ShowInvalidArgumentError();

inline constexpr char16_t kInvalidArgumentText[] = u"Encountered an improper argument.";
