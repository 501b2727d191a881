#include "host/qor_component.h"

#include <algorithm>

#include "host/qor_app.h"

namespace qor::host {
namespace {
// The outermost scope of this thread; nested scopes add to it.
thread_local TFormLoading* ActiveScope = nullptr;
}  // namespace

TComponentStateHolder::TComponentStateHolder() {
  if (ActiveScope) ActiveScope->Enlist(this);
}

TComponentStateHolder::~TComponentStateHolder() {
  if (FEnlisted && ActiveScope) ActiveScope->Withdraw(this);
}

void TComponentStateHolder::SetDesigning(bool On) {
  if (On) FState |= csDesigning;
  else FState &= ~csDesigning;
}

void TComponentStateHolder::EndLoading() {
  FState &= ~csLoading;
  Loaded();
}

TFormLoading::TFormLoading() : FOutermost(ActiveScope == nullptr) {
  if (FOutermost) ActiveScope = this;
}

TFormLoading::~TFormLoading() {
  if (!FOutermost) return;
  // A Loaded step may create widgets (they are not enlisted any more) or
  // delete enlisted ones (their slot is cleared). Its exceptions go to the
  // application's handler, as those of any event do.
  FEnding = true;
  for (std::size_t I = 0; I < FLoading.size(); ++I) {
    TComponentStateHolder* Holder = FLoading[I];
    if (!Holder) continue;
    Holder->FEnlisted = false;
    RunGuarded(dynamic_cast<QObject*>(Holder), [Holder] { Holder->EndLoading(); });
  }
  ActiveScope = nullptr;
}

bool TFormLoading::Active() { return ActiveScope != nullptr && !ActiveScope->FEnding; }

void TFormLoading::Enlist(TComponentStateHolder* Holder) {
  if (FEnding) return;
  Holder->FState |= csLoading;
  Holder->FEnlisted = true;
  FLoading.push_back(Holder);
}

void TFormLoading::Withdraw(TComponentStateHolder* Holder) {
  std::replace(FLoading.begin(), FLoading.end(), Holder,
               static_cast<TComponentStateHolder*>(nullptr));
}

}  // namespace qor::host
