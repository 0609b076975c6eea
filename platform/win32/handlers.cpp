#include "handlers.h"

#include "platform/product_name.h"
#include "platform/win32/win32.h"

namespace flurb::platform::win32 {

std::wstring wideText(const std::string& utf8) {
  const int length = static_cast<int>(utf8.size());
  std::wstring text(
      static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0)),
      L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, text.data(), static_cast<int>(text.size()));
  return text;
}

void showErrorBox(const std::string& sentence) {
  MessageBoxW(nullptr, wideText(sentence).c_str(), wideText(productName()).c_str(),
              MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

std::int16_t currentShiftState() {
  constexpr std::int16_t kShift = 1;
  constexpr std::int16_t kCtrl = 2;
  constexpr std::int16_t kAlt = 4;
  const auto held = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
  return static_cast<std::int16_t>((held(VK_SHIFT) ? kShift : 0) | (held(VK_CONTROL) ? kCtrl : 0) |
                                   (held(VK_MENU) ? kAlt : 0));
}

}  // namespace flurb::platform::win32
