// Runs a sample program as a child process with its standard output on a pipe.
#include "birim/test/ornek_calistir.h"

#include <windows.h>

#include <string>

namespace vadu::test {

namespace {

// The build hands over paths with forward slashes; a path without a drive
// ("/a/b.exe") stands for that place on the current drive.
std::wstring windowsYolu(const char* yol) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, yol, -1, nullptr, 0);
  if (n <= 0) return {};
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, yol, -1, w.data(), n);
  w.resize(static_cast<size_t>(n - 1));
  for (wchar_t& k : w) {
    if (k == L'/') k = L'\\';
  }
  return w;
}

// The C runtime writes text-mode output with "\r\n" line ends; a reader of
// text sees "\n".
std::string satirSonlariniDuzelt(const std::string& s) {
  std::string d;
  d.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') continue;
    d.push_back(s[i]);
  }
  return d;
}

}  // namespace

Calisma ornekCalistir(const char* yol) {
  Calisma c;
  const std::wstring program = windowsYolu(yol);
  if (program.empty()) return c;
  std::wstring komut = L"\"" + program + L"\"";

  SECURITY_ATTRIBUTES miras{};
  miras.nLength = sizeof miras;
  miras.bInheritHandle = TRUE;
  HANDLE okuUcu = nullptr;
  HANDLE yazUcu = nullptr;
  if (!CreatePipe(&okuUcu, &yazUcu, &miras, 0)) return c;
  SetHandleInformation(okuUcu, HANDLE_FLAG_INHERIT, 0);
  HANDLE bos = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           &miras, OPEN_EXISTING, 0, nullptr);

  STARTUPINFOW baslangic{};
  baslangic.cb = sizeof baslangic;
  baslangic.dwFlags = STARTF_USESTDHANDLES;
  baslangic.hStdInput = bos;
  baslangic.hStdOutput = yazUcu;
  baslangic.hStdError = bos;
  PROCESS_INFORMATION surec{};
  const BOOL basladi = CreateProcessW(program.c_str(), komut.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, nullptr, &baslangic, &surec);
  // Only the child holds the write end now, so the pipe ends when it does.
  CloseHandle(yazUcu);
  if (bos != INVALID_HANDLE_VALUE) CloseHandle(bos);
  if (!basladi) {
    CloseHandle(okuUcu);
    return c;
  }

  std::string ham;
  char tampon[4096];
  DWORD n = 0;
  while (ReadFile(okuUcu, tampon, sizeof tampon, &n, nullptr) && n > 0) ham.append(tampon, n);
  CloseHandle(okuUcu);
  WaitForSingleObject(surec.hProcess, INFINITE);
  DWORD cikis = 0;
  const BOOL okundu = GetExitCodeProcess(surec.hProcess, &cikis);
  CloseHandle(surec.hThread);
  CloseHandle(surec.hProcess);

  c.cikti = satirSonlariniDuzelt(ham);
  // An exception that nothing handled ends a process with its error status
  // (0xC...): the nearest thing Windows has to a killing signal.
  c.normalBitti = okundu && cikis < 0xC0000000u;
  if (c.normalBitti) c.durum = static_cast<int>(cikis);
  return c;
}

}  // namespace vadu::test
