// Start-up: the application object, the main window Form1 (the global set
// before the window is built), the message loop, exit code 0.
#include <windows.h>

#include <memory>

#include "platform/gui/application.h"
#include "ui/unit1.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  TApplication application;
  Application = &application;
  Application->Initialize();

  auto form = std::make_unique<TForm1>();
  Form1 = form.get();  // FormCreate reaches the chooser through Form1
  form->Create(Application->Handle());
  Application->SetMainForm(form->Handle());

  Application->Run();

  // The window and its controls go first; the media player closes a held device.
  form.reset();
  Form1 = nullptr;
  Application = nullptr;
  return 0;
}
