#include "ui/dialog_context.h"

ZDialogContext& DialogContext() {
  static ZDialogContext context;
  return context;
}

void NotifySettingsChanged() {
  if (DialogContext().settingsChanged) DialogContext().settingsChanged();
}
