#include "ui/NameCheck.h"

#include "resources/TGameText.h"

namespace {

std::string Message(const std::string& key) { return GameText ? GameText->FindString(key) : std::string(); }

bool Blank(unsigned char code) { return code == ' ' || code == 160; }

} // namespace

int32_t NameMaxLength(TNameKind kind) { return kind == TNameKind::Player ? 10 : 14; }

const std::string& NameBannedChars(TNameKind kind) {
  static const std::string files = "\"|*\\/:;~?<>";
  static const std::string layouts = files + "=";
  return kind == TNameKind::Layout ? layouts : files;
}

int32_t CheckName(const std::string& name, TNameKind kind, std::string& message) {
  message.clear();
  bool allBlank = true;
  for (char ch : name) {
    const auto code = static_cast<unsigned char>(ch);
    const bool printable = (code >= 32 && code <= 126) || code >= 160;
    if (!printable || NameBannedChars(kind).find(ch) != std::string::npos) {
      message = Message("Name Bad Character");
      if (printable) message += ch;
      return -1;
    }
    if (!Blank(code)) allBlank = false;
  }
  if (allBlank) {
    message = Message("Name Empty");
    return -1;
  }
  if (int32_t(name.size()) > NameMaxLength(kind)) {
    message = Message("Name Too Long");
    return -1;
  }
  const auto last = static_cast<unsigned char>(name.back());
  if (last == '.' || Blank(last)) {
    message = Message("Name Bad End");
    return -1;
  }
  return 1;
}

TDialogTextInput::ErrorCheck NameCheckFunc(TNameKind kind) {
  return [kind](const std::string& text, std::string& message) { return CheckName(text, kind, message); };
}
