#include "desktop.h"

#include <windows.h>
// The common dialogs and the shell need windows.h first.
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

#include <SDL2/SDL.h>

#include <corvax/runtime/application_entry.h>
#include <corvax/system/chooser.h>

namespace corvax {
namespace {

// The longest path the wide file dialogs hand back.
constexpr DWORD kChosenPathCapacity = 32768;

std::wstring Wide(const String& text) {
  return std::wstring(text.begin(), text.end());
}

String FromWide(const wchar_t* text) {
  const std::wstring_view view(text);
  return String(view.begin(), view.end());
}

String WithBackslashes(String path) {
  for (auto& c : path) {
    if (c == u'/') c = u'\\';
  }
  return path;
}

int CALLBACK StartFolderBrowser(HWND window, UINT message, LPARAM, LPARAM start) {
  if (message == BFFM_INITIALIZED && start) {
    ::SendMessageW(window, BFFM_SETSELECTIONW, TRUE, start);
  }
  return 0;
}

}  // namespace

bool DesktopPresent() {
  // Every Windows session has its desktop.
  return true;
}

std::optional<int> AskOnDesktop(MessageBoxButtons buttons, const String& text, bool serious,
                                std::string& why) {
  UINT style = serious ? MB_ICONWARNING : MB_ICONINFORMATION;
  switch (buttons) {
    case MessageBoxButtons::Ok:
      style |= MB_OK;
      break;
    case MessageBoxButtons::OkCancel:
      style |= MB_OKCANCEL;
      break;
    case MessageBoxButtons::YesNoCancel:
      style |= MB_YESNOCANCEL;
      break;
  }
  const String title = AppTitle().empty() ? String(u"Corvax Application") : AppTitle();
  const int pressed = ::MessageBoxW(nullptr, Wide(text).c_str(), Wide(title).c_str(), style);
  switch (pressed) {
    case IDOK:
    case IDYES:
      return 1;
    case IDNO:
      return 0;
    case IDCANCEL:
      return CancelResult(buttons);
    default:
      why = "MessageBoxW failed with error " + std::to_string(::GetLastError());
      return std::nullopt;
  }
}

String ChooseFileOnDesktop(const String& title, const String& extensions, int save,
                           const String& path) {
  const ChooserPath start = SplitChooserPath(path);
  std::wstring chosen(kChosenPathCapacity, L'\0');
  const std::wstring startName = Wide(start.fileName);
  startName.copy(chosen.data(), std::min<std::size_t>(startName.size(), chosen.size() - 1));
  // The filter string's pairs already end in NUL; the string's own terminator closes the list.
  const std::wstring filter = Wide(ChooserFilterString(extensions));
  const std::wstring directory = Wide(WithBackslashes(start.directory));
  const std::wstring caption = Wide(title);

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  dialog.nFilterIndex = static_cast<DWORD>(ChooserFilterIndex(extensions, path));
  dialog.lpstrFile = chosen.data();
  dialog.nMaxFile = kChosenPathCapacity;
  dialog.lpstrInitialDir = directory.empty() ? nullptr : directory.c_str();
  dialog.lpstrTitle = caption.empty() ? nullptr : caption.c_str();
  dialog.Flags = OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_EXPLORER |
                 (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  const BOOL accepted = save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
  if (!accepted) {
    // Zero means the user cancelled; anything else is a dialog that could not be shown.
    if (const DWORD error = ::CommDlgExtendedError()) {
      std::fprintf(stderr, "Cannot show the file chooser: common dialog error %lu\n",
                   static_cast<unsigned long>(error));
    }
    return String();
  }
  return ToForwardSlashes(FromWide(chosen.c_str()));
}

String ChooseFolderOnDesktop(const String& title, const String& directory) {
  const std::wstring caption = Wide(title);
  const std::wstring start = Wide(WithBackslashes(directory));
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  BROWSEINFOW browse{};
  browse.lpszTitle = caption.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  browse.lpfn = &StartFolderBrowser;
  browse.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
  String chosen;
  if (PIDLIST_ABSOLUTE item = ::SHBrowseForFolderW(&browse)) {
    std::wstring folder(MAX_PATH, L'\0');
    if (::SHGetPathFromIDListW(item, folder.data())) {
      chosen = ToForwardSlashes(FromWide(folder.c_str()));
    } else {
      std::fprintf(stderr, "Cannot choose a folder: the choice is not in the file system\n");
    }
    ::CoTaskMemFree(item);
  }
  if (SUCCEEDED(com)) ::CoUninitialize();
  return chosen;
}

void OpenOnDesktop(const String& url) {
  const auto result = reinterpret_cast<INT_PTR>(
      ::ShellExecuteW(nullptr, L"open", Wide(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  // ShellExecute reports success with a value above 32.
  constexpr INT_PTR kLastShellError = 32;
  if (result <= kLastShellError) {
    std::fprintf(stderr, "Cannot open %s: the shell answered %d\n", ToUtf8(url).c_str(),
                 static_cast<int>(result));
  }
}

void MovePointerOnDesktop(SDL_Window* window, int x, int y) {
  SDL_WarpMouseInWindow(window, x, y);
}

}  // namespace corvax
