// Building the native widgets of a dialog, showing the model's state, and turning native events
// into model input.
#include "ui/qt/dialog_window.h"
#include "ui/model/menu.h"
#include "ui/model/messages.h"
#include "ui/model/window_styles.h"
#include "ui/qt/icon_pixmaps.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace ui::qt {

namespace {

namespace style = model::style;

constexpr int k_icon_size = 32; // SM_CXICON, SM_CYICON

QString to_qstring(const std::string& text) {
    return QString::fromStdString(text);
}

Qt::Alignment static_alignment(std::uint32_t control_style) {
    switch (control_style & style::SS_TYPEMASK) {
    case style::SS_CENTER:
        return Qt::AlignHCenter | Qt::AlignTop;
    case style::SS_RIGHT:
        return Qt::AlignRight | Qt::AlignTop;
    default:
        return Qt::AlignLeft | Qt::AlignTop;
    }
}

Qt::Alignment edit_alignment(std::uint32_t control_style) {
    if ((control_style & style::ES_CENTER) != 0)
        return Qt::AlignHCenter | Qt::AlignVCenter;
    if ((control_style & style::ES_RIGHT) != 0)
        return Qt::AlignRight | Qt::AlignVCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// A static control shows '&' as a mnemonic mark unless SS_NOPREFIX says otherwise.
QString static_text(const model::Control& control) {
    if ((control.style & style::SS_NOPREFIX) != 0)
        return to_qstring(control.text);
    return to_qstring(model::strip_mnemonic(control.text));
}

// A byte offset into a UTF-8 text as an index into the same text as a QString.
int qstring_index(const std::string& text, std::size_t offset) {
    return static_cast<int>(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(std::min(offset, text.size())))
            .size());
}

} // namespace

QRect window_rect(const model::Rect& r, model::BaseUnits base) {
    const model::Rect mapped = model::map_dialog_rect(r, base);
    return {mapped.x, mapped.y, mapped.width, mapped.height};
}

DialogWindow::DialogWindow(model::Dialog& dialog, const DialogFont& font, QWidget* owner,
                           InputSink sink)
    : QWidget(owner, owner != nullptr ? Qt::Dialog : Qt::Window), m_dialog(dialog), m_font(font),
      m_sink(std::move(sink)) {
    setWindowFlags(windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowFlag(Qt::WindowMinimizeButtonHint, (dialog.style() & style::WS_MINIMIZEBOX) != 0 &&
                                                    (dialog.style() & style::WS_SYSMENU) != 0);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    if (owner != nullptr)
        setWindowModality(Qt::ApplicationModal);
    setAutoFillBackground(true);
    setFont(font.font);
    setFocusPolicy(Qt::NoFocus);
    const model::Rect client = dialog.client_rect();
    setFixedSize(client.width, client.height);
    build_controls();
    installEventFilter(this);

    // Centred over the owner, or on the screen.
    const QRect area = owner != nullptr      ? owner->frameGeometry()
                       : screen() != nullptr ? screen()->availableGeometry()
                                             : QRect();
    if (area.isValid())
        move(area.center() - QPoint(client.width / 2, client.height / 2));
}

void DialogWindow::build_controls() {
    m_widgets.reserve(m_dialog.controls().size());
    for (const auto& control : m_dialog.controls()) {
        QWidget* widget = make_widget(control);
        QRect place = window_rect(control.rect, m_font.base);
        if (control.kind == model::ControlKind::static_icon)
            place.setSize({k_icon_size, k_icon_size}); // an icon control takes the icon's size
        widget->setGeometry(place);
        widget->setObjectName(QStringLiteral("control-%1").arg(control.id));
        widget->installEventFilter(this);
        m_widgets.push_back(widget);
    }
}

QWidget* DialogWindow::make_widget(const model::Control& control) {
    const int id = control.id;
    switch (control.kind) {
    case model::ControlKind::push_button: {
        auto* button = new QPushButton(to_qstring(control.text), this);
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::StrongFocus);
        QObject::connect(button, &QPushButton::clicked, this,
                         [this, id] { m_sink(model::InputEvent::click(id)); });
        return button;
    }
    case model::ControlKind::edit: {
        auto* edit = new QLineEdit(this);
        edit->setText(to_qstring(control.text));
        edit->setAlignment(edit_alignment(control.style));
        edit->setReadOnly((control.style & style::ES_READONLY) != 0);
        if ((control.style & style::ES_PASSWORD) != 0)
            edit->setEchoMode(QLineEdit::Password);
        edit->setFocusPolicy(Qt::StrongFocus);
        // Every change reaches the model at once, so a handler reads what is on screen.
        QObject::connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) {
            m_sink(model::InputEvent::text_edited(id, text.toStdString()));
        });
        return edit;
    }
    case model::ControlKind::static_text: {
        auto* label = new QLabel(static_text(control), this);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(static_alignment(control.style));
        label->setWordWrap(true);
        return label;
    }
    case model::ControlKind::static_icon: {
        auto* label = new QLabel(this);
        if (control.icon != nullptr)
            if (const model::IconImage* image = control.icon->best_image(k_icon_size))
                label->setPixmap(QPixmap::fromImage(to_image(*image)));
        return label;
    }
    case model::ControlKind::other:
        break;
    }
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    return frame;
}

void DialogWindow::show_state() {
    const QString caption = to_qstring(m_dialog.caption());
    if (windowTitle() != caption)
        setWindowTitle(caption);
    for (std::size_t i = 0; i < m_widgets.size(); ++i)
        show_control(m_dialog.controls()[i], m_widgets[i]);
    show_focus();
    show_icons();
    if (isVisible() && m_dialog.iconic() != isMinimized()) {
        if (m_dialog.iconic())
            showMinimized();
        else
            showNormal();
    }
}

void DialogWindow::show_control(const model::Control& control, QWidget* widget) {
    widget->setVisible(control.visible());
    widget->setEnabled(control.enabled());
    const QString text = to_qstring(control.text);
    switch (control.kind) {
    case model::ControlKind::push_button: {
        auto* button = static_cast<QPushButton*>(widget);
        if (button->text() != text)
            button->setText(text);
        // The default frame marks the button Enter presses.
        button->setDefault(control.id == m_dialog.enter_target_id());
        return;
    }
    case model::ControlKind::edit: {
        auto* edit = static_cast<QLineEdit*>(widget);
        if (edit->text() != text) {
            edit->setText(text);
            // An edit box without the focus shows the start of a text set by the program.
            if (!edit->hasFocus())
                edit->setCursorPosition(0);
        }
        return;
    }
    case model::ControlKind::static_text: {
        auto* label = static_cast<QLabel*>(widget);
        const QString shown = static_text(control);
        if (label->text() != shown)
            label->setText(shown);
        return;
    }
    case model::ControlKind::static_icon:
    case model::ControlKind::other:
        return;
    }
}

void DialogWindow::show_focus() {
    const model::Control* focused = m_dialog.focused();
    if (focused == nullptr)
        return;
    const auto index = static_cast<std::size_t>(focused - m_dialog.controls().data());
    QWidget* widget = control_widget(index);
    if (widget == nullptr)
        return;
    const bool moved = m_shown_focus != index;
    m_shown_focus = index;
    if (!moved && widget->hasFocus())
        return;
    widget->setFocus(Qt::OtherFocusReason);
    // Caret and selection follow the model only when the focus arrives; while the user types,
    // the native caret is the truth.
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if (focused->has_selection())
            edit->setSelection(qstring_index(focused->text, focused->selection_begin),
                               qstring_index(focused->text, focused->selection_end) -
                                   qstring_index(focused->text, focused->selection_begin));
        else
            edit->setCursorPosition(qstring_index(focused->text, focused->caret));
    }
}

void DialogWindow::show_icons() {
    const model::Icon* big = m_dialog.big_icon();
    const model::Icon* small = m_dialog.small_icon();
    if (big == m_shown_big_icon && small == m_shown_small_icon)
        return;
    m_shown_big_icon = big;
    m_shown_small_icon = small;
    QIcon icon;
    for (const model::Icon* source : {big, small})
        if (source != nullptr)
            for (const auto& image : source->images)
                if (const QImage converted = to_image(image); !converted.isNull())
                    icon.addPixmap(QPixmap::fromImage(converted));
    setWindowIcon(icon);
}

QWidget* DialogWindow::control_widget(std::size_t index) const {
    return index < m_widgets.size() ? m_widgets[index] : nullptr;
}

QWidget* DialogWindow::control_widget_by_id(int id) const {
    for (std::size_t i = 0; i < m_widgets.size(); ++i)
        if (m_dialog.controls()[i].id == id)
            return m_widgets[i];
    return nullptr;
}

QPoint DialogWindow::take_menu_position() {
    const QPoint position = m_menu_position.value_or(mapToGlobal(QPoint(0, 0)));
    m_menu_position.reset();
    return position;
}

std::optional<std::size_t> DialogWindow::index_of(const QObject* object) const {
    for (std::size_t i = 0; i < m_widgets.size(); ++i)
        if (m_widgets[i] == object)
            return i;
    return std::nullopt;
}

KeyTarget DialogWindow::key_target(const QObject* object) const {
    const auto index = index_of(object);
    if (!index)
        return KeyTarget::other;
    switch (m_dialog.controls()[*index].kind) {
    case model::ControlKind::edit:
        return KeyTarget::edit;
    case model::ControlKind::push_button:
        return KeyTarget::button;
    case model::ControlKind::static_text:
    case model::ControlKind::static_icon:
    case model::ControlKind::other:
        break;
    }
    return KeyTarget::other;
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const KeyRoute route = route_key(*static_cast<QKeyEvent*>(event), key_target(watched));
        if (route.event)
            m_sink(*route.event);
        return route.consume;
    }
    if (event->type() == QEvent::FocusIn) {
        // A click that focuses a control tells the model; focus set from show_state does not.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const auto index = index_of(watched);
        if (reason == Qt::MouseFocusReason && index && m_shown_focus != index) {
            m_shown_focus = index;
            m_sink(model::InputEvent::focus_on(m_dialog.controls()[*index].id));
        }
    }
    return false;
}

void DialogWindow::closeEvent(QCloseEvent* event) {
    // The close box asks the dialog; the dialog decides whether it ends.
    event->ignore();
    m_sink(model::InputEvent::close());
}

void DialogWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::RightButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    // The background and static texts open the system menu; other controls ignore the click.
    const QWidget* child = childAt(event->position().toPoint());
    if (child != nullptr && !qobject_cast<const QLabel*>(child))
        return;
    m_menu_position = event->globalPosition().toPoint();
    m_sink(model::InputEvent::open_system_menu());
}

void DialogWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    // Minimised or restored by the window manager: the model learns it as a system command.
    if (isMinimized() && !m_dialog.iconic())
        m_sink(model::InputEvent::sys_command(model::msg::SC_MINIMIZE));
    else if (!isMinimized() && m_dialog.iconic())
        m_sink(model::InputEvent::sys_command(model::msg::SC_RESTORE));
}

void DialogWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!m_dialog.iconic())
        return;
    // While minimised the program paints its icon into the client area.
    QPainter painter(this);
    for (const auto& drawing : m_dialog.painted_icons()) {
        if (drawing.icon == nullptr)
            continue;
        if (const model::IconImage* image = drawing.icon->best_image(k_icon_size))
            painter.drawImage(QPoint(drawing.position.x, drawing.position.y), to_image(*image));
    }
}

} // namespace ui::qt
