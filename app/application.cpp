// The program's windows and the moves between them.
#include "app/application.h"

#include "info/about_window.h"
#include "info/resources_window.h"
#include "location/settings_window.h"
#include "settings/main_window.h"

namespace app {

using ui::WindowName;

Application::Application(ui::Desktop& desktop, platform::FileSystem& files,
                         const CodePages& code_pages)
    : services_{desktop, files, code_pages.system, code_pages.game_file, *this}
{
}

Application::~Application() = default;

void Application::start()
{
    show(WindowName::Form1);
}

void Application::run()
{
    start();
    services_.desktop.run();
}

void Application::show(WindowName window)
{
    // An unloaded window keeps its inert object until it is shown again; only then is it
    // replaced, never while its own handler may still be running (no window shows itself).
    std::unique_ptr<ui::Form>& form = slot(window);
    if (!form || !form->alive()) {
        form.reset();
        form = make(window);
    }
    form->show();
}

void Application::hide(WindowName window)
{
    if (std::unique_ptr<ui::Form>& form = slot(window)) form->hide();
}

void Application::unload(WindowName window)
{
    if (std::unique_ptr<ui::Form>& form = slot(window)) form->close();
}

void Application::end()
{
    for (std::unique_ptr<ui::Form>& form : forms_) {
        if (form) form->close();
    }
    services_.desktop.quit();
}

std::unique_ptr<ui::Form> Application::make(WindowName window)
{
    switch (window) {
    case WindowName::Form1: return std::make_unique<settings::Form1>(services_);
    case WindowName::Form2: return std::make_unique<info::Form2>(services_);
    case WindowName::Form3: return std::make_unique<info::Form3>(services_);
    case WindowName::Form4: return std::make_unique<location::Form4>(services_);
    }
    return nullptr;
}

std::unique_ptr<ui::Form>& Application::slot(WindowName window)
{
    return forms_[static_cast<std::size_t>(window)];
}

} // namespace app
