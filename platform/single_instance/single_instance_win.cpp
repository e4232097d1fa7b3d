#include "platform/single_instance/single_instance.h"

#include <algorithm>

#include "platform/locale/utf16_win.h"
#include "platform/runtime/windows_system_win.h"

namespace platform {

struct SingleInstance::State {
  std::wstring name;
  HANDLE mutex = nullptr;  // held for the life of this object once taken
};

SingleInstance::SingleInstance(std::string appName) : state_(std::make_unique<State>()) {
  state_->name = L"Local\\" + Wide(appName);
}

SingleInstance::SingleInstance(std::string appName, std::string lockDir) : state_(std::make_unique<State>()) {
  // A mutex name holds no backslash after its name space.
  std::replace(lockDir.begin(), lockDir.end(), '\\', '/');
  state_->name = L"Local\\" + Wide(lockDir + "/" + appName);
}

SingleInstance::~SingleInstance() {
  if (state_->mutex != nullptr) ::CloseHandle(state_->mutex);
}

bool SingleInstance::PrevInstance() {
  if (state_->mutex != nullptr) return false;
  HANDLE mutex = ::CreateMutexW(nullptr, FALSE, state_->name.c_str());
  const DWORD error = ::GetLastError();
  if (mutex == nullptr) {
    // Made by a copy running with other rights: it is there all the same. Any other failure
    // tells nothing, and a start is not refused on nothing.
    return error == ERROR_ACCESS_DENIED;
  }
  if (error == ERROR_ALREADY_EXISTS) {
    ::CloseHandle(mutex);
    return true;
  }
  state_->mutex = mutex;
  return false;
}

}  // namespace platform
