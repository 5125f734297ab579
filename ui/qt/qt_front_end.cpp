// The desktop front end: windows per dialog, the input queue, message boxes and the system menu.
#include "ui/qt/qt_front_end.h"
#include "ui/qt/classic_look.h"
#include "ui/qt/display_probe.h"

#include "ui/model/messages.h"

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>

namespace ui::qt {

namespace {

// The application object keeps pointers to these for its whole life.
int s_argc = 1;
char s_program[] = "zelt-gui";
char* s_argv[] = {s_program, nullptr};

const model::FontSpec k_message_font{"MS Sans Serif", 8, 0, false, 1};

struct MessageIconRow {
    unsigned mb_icon; // the MB_ICON... bits of a message box type
    QMessageBox::Icon icon;
};

constexpr unsigned k_mb_icon_mask = 0xF0u;
constexpr MessageIconRow k_message_icons[] = {
    {0x10u, QMessageBox::Critical},    // MB_ICONHAND
    {0x20u, QMessageBox::Question},    // MB_ICONQUESTION
    {0x30u, QMessageBox::Warning},     // MB_ICONEXCLAMATION
    {0x40u, QMessageBox::Information}, // MB_ICONASTERISK
};

QMessageBox::Icon message_icon(unsigned type) {
    for (const auto& row : k_message_icons)
        if ((type & k_mb_icon_mask) == row.mb_icon)
            return row.icon;
    return QMessageBox::NoIcon;
}

} // namespace

QtFrontEnd::QtFrontEnd() {
    if (QApplication::instance() == nullptr) {
        QGuiApplication::setDesktopFileName(QStringLiteral("zelt-gui"));
        m_owned_application = std::make_unique<QApplication>(s_argc, s_argv);
    }
    m_context = std::make_unique<QObject>();
    auto* application = qobject_cast<QApplication*>(QApplication::instance());
    if (application != nullptr) {
        apply_classic_look(*application);
        // The model's modal loop ends its windows; closing the last one is not the end.
        application->setQuitOnLastWindowClosed(false);
        QObject::connect(application, &QCoreApplication::aboutToQuit, m_context.get(),
                         [this] { m_input_closed = true; });
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    const bool scaled = screen != nullptr && screen->devicePixelRatio() > 1.0;
    m_fonts = std::make_unique<DialogFonts>(scaled ? RasterFonts::avoid : RasterFonts::use);
}

QtFrontEnd::~QtFrontEnd() {
    for (auto& [dialog, window] : m_windows)
        delete window.data();
    m_windows.clear();
    m_fonts.reset();
    m_context.reset();
    m_owned_application.reset();
}

model::BaseUnits QtFrontEnd::base_units(const model::FontSpec& font) {
    return m_fonts->font_for(font).base;
}

DialogWindow* QtFrontEnd::window_of(const model::Dialog& dialog) const {
    for (const auto& [shown, window] : m_windows)
        if (shown == &dialog)
            return window.data();
    return nullptr;
}

void QtFrontEnd::open_view(model::Dialog& dialog) {
    if (window_of(dialog) != nullptr)
        return;
    QWidget* owner = nullptr;
    for (auto it = m_windows.rbegin(); it != m_windows.rend() && owner == nullptr; ++it)
        owner = it->second.data();
    auto* window = new DialogWindow(
        dialog, m_fonts->font_for(dialog.font()), owner,
        [this, &dialog](model::InputEvent event) { post(&dialog, std::move(event)); });
    m_windows.emplace_back(&dialog, window);
    window->show_state();
    window->show();
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        window->raise();
    window->activateWindow();
}

void QtFrontEnd::close_view(model::Dialog& dialog) {
    for (auto it = m_windows.begin(); it != m_windows.end(); ++it) {
        if (it->first != &dialog)
            continue;
        DialogWindow* window = it->second.data();
        m_windows.erase(it);
        delete window;
        if (!m_windows.empty() && m_windows.back().second != nullptr)
            m_windows.back().second->activateWindow();
        break;
    }
    // Input still queued for it has nobody left to go to.
    std::erase_if(m_queue, [&dialog](const auto& entry) { return entry.first == &dialog; });
}

void QtFrontEnd::present(model::Dialog& dialog) {
    DialogWindow* window = window_of(dialog);
    if (window == nullptr)
        return;
    window->show_state();
    // Synchronous: a handler may block right after UpdateWindow, with its text on screen.
    window->repaint();
}

void QtFrontEnd::post(model::Dialog* dialog, model::InputEvent event) {
    m_queue.emplace_back(dialog, std::move(event));
}

model::InputEvent QtFrontEnd::wait_input(model::Dialog& dialog) {
    for (;;) {
        while (!m_queue.empty()) {
            auto [target, event] = std::move(m_queue.front());
            m_queue.pop_front();
            if (target == &dialog)
                return event;
        }
        if (m_input_closed || QCoreApplication::closingDown())
            return model::InputEvent::input_closed();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

int QtFrontEnd::message_box(model::Dialog* owner, const std::string& text,
                            const std::string& caption, unsigned type) {
    DialogWindow* owner_window = owner != nullptr ? window_of(*owner) : nullptr;
    QMessageBox box(message_icon(type), QString::fromStdString(caption),
                    QString::fromStdString(text), QMessageBox::Ok, owner_window);
    box.setObjectName(QStringLiteral("message-box"));
    box.setFont(owner_window != nullptr ? owner_window->dialog_font().font
                                        : m_fonts->font_for(k_message_font).font);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    // The keyboard goes back to the dialog under the box, whatever the window manager does.
    if (owner_window != nullptr)
        owner_window->activateWindow();
    // Whatever the user did in the box's own loop belongs to no dialog.
    return model::msg::dialog_ok;
}

unsigned QtFrontEnd::track_system_menu(model::Dialog& dialog) {
    DialogWindow* window = window_of(dialog);
    if (window == nullptr)
        return 0;
    QMenu menu(window);
    menu.setObjectName(QStringLiteral("system-menu"));
    menu.setFont(window->dialog_font().font);
    unsigned chosen = 0;
    for (const auto& item : dialog.system_menu().items()) {
        if (item.separator) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(QString::fromStdString(item.text));
        action->setEnabled(item.enabled);
        const unsigned command = item.command;
        QObject::connect(action, &QAction::triggered, &menu,
                         [&chosen, command] { chosen = command; });
    }
    menu.exec(window->take_menu_position());
    window->activateWindow();
    return chosen;
}

} // namespace ui::qt

namespace ui {

std::unique_ptr<FrontEnd> make_desktop_front_end() {
    QCoreApplication* running = QCoreApplication::instance();
    if (running != nullptr && qobject_cast<QApplication*>(running) == nullptr)
        return nullptr; // a program without widgets cannot show dialogs
    if (running == nullptr && !qt::display_reachable(qt::read_display_environment()))
        return nullptr;
    return std::make_unique<qt::QtFrontEnd>();
}

bool desktop_front_end_built() {
    return true;
}

} // namespace ui
