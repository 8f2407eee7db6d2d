#include "frm_main.h"

#include "caption_button.h"
#include "config/value_rules.h"
#include "caption_check_box.h"
#include "help_mark.h"
#include "help_topics.h"
#include "main_window_layout.h"
#include "option_button.h"
#include "skill_scroll_bar.h"
#include "ui/common/classic_metrics.h"

#include <QFontMetricsF>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>

namespace kdx {
namespace {

constexpr int marqueeIntervalMs = 111;

QString textFromTable(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString objectNameOf(const ControlLayout &layout)
{
    const QString name = textFromTable(layout.name);
    return layout.index == ControlLayout::NoIndex ? name : name + QLatin1Char('_') + QString::number(layout.index);
}

Qt::Alignment alignmentOf(CaptionAlignment alignment)
{
    switch (alignment) {
    case CaptionAlignment::Centre:
        return Qt::AlignCenter;
    case CaptionAlignment::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case CaptionAlignment::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QFont styledFont(QFont font, bool bold, bool underline)
{
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

// The area in which a control draws its fixed caption; empty for the controls
// whose text is a value or changes at run time.
QRect fixedCaptionArea(const QWidget *control, ControlType type)
{
    switch (type) {
    case ControlType::Button:
        return static_cast<const CaptionButton *>(control)->captionArea();
    case ControlType::CheckBox:
        return static_cast<const CaptionCheckBox *>(control)->captionArea();
    case ControlType::OptionButton: {
        QStyleOptionButton option;
        option.initFrom(control);
        return control->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, control);
    }
    case ControlType::Caption:
    case ControlType::Heading:
        return control->contentsRect();
    default:
        return {};
    }
}

} // namespace

frmMain::frmMain(KDXCfg &cfg, Platform &platform, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                          | Qt::WindowCloseButtonHint),
      cfg_(cfg), platform_(platform), panel_(cfg)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(TitleMarquee::initialCaption());
    setWindowIcon(QIcon(QStringLiteral(":/vevadudori/vevadudori.png")));
    setFont(classicFont());
    setFixedSize(pixelsFromTwips(MainClientWidthTwips), pixelsFromTwips(MainClientHeightTwips));
    createControls();
    showControls(everyControl());
    connectCommandButtons();

    // Esc presses "Exit w/o Save (Esc) " from anywhere in the window.
    auto *cancel = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    cancel->setContext(Qt::WindowShortcut);
    connect(cancel, &QShortcut::activated, commandButtons_.at(QStringLiteral("Command1")), &QPushButton::click);

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(marqueeIntervalMs);
    connect(Timer, &QTimer::timeout, this, &frmMain::Timer_Timer);

    Form_Load();
    Timer->start();
    centreOnScreen();
}

frmMain::~frmMain() = default;

void frmMain::Form_Load()
{
    cfg_.SettingTable = SettingTable();
    const std::optional<FileError> error = readConfigFile();
    if (!error)
        return;
    // The window starts from the defaults; a file that exists but was not read
    // is not replaced without asking.
    if (error->missing)
        configFile_.missing();
    else
        configFile_.unreadable();
    ShowSettings();
}

void frmMain::createControls()
{
    std::map<int, QWidget *> focusChain;
    for (const ControlLayout &layout : mainWindowControls()) {
        QWidget *control = createControl(layout);
        control->setObjectName(objectNameOf(layout));
        control->setGeometry(rectFromTwips(layout.left, layout.top, layout.width, layout.height));
        if (const QRect area = fixedCaptionArea(control, layout.type); !area.isEmpty()) {
            fitCaption(control, textFromTable(layout.caption), area.size());
            // A label wraps as the buttons do where it has room for two lines.
            if (auto *label = qobject_cast<QLabel *>(control))
                label->setWordWrap(captionTextFlags(QFontMetricsF(label->font()), area.height()) & Qt::TextWordWrap);
        }
        if (!layout.toolTip.empty())
            control->setToolTip(textFromTable(layout.toolTip));
        if (control->focusPolicy() != Qt::NoFocus)
            focusChain[layout.tabIndex] = control;
    }
    createLines();
    nameFieldsAfterTheirLabels();
    orderTabStops(focusChain);
}

void frmMain::nameFieldsAfterTheirLabels()
{
    const auto caption = [this](std::string_view label) {
        return label.empty() ? QString() : findChild<QLabel *>(textFromTable(label))->text();
    };
    for (const FieldLabels &labels : mainWindowFieldLabels()) {
        const QString name = QStringList{caption(labels.first), caption(labels.second)}.join(QLatin1Char(' '));
        findChild<QWidget *>(textFromTable(labels.field))->setAccessibleName(name.trimmed());
    }
}

QWidget *frmMain::createControl(const ControlLayout &layout)
{
    const QString caption = textFromTable(layout.caption);
    const int index = layout.index;

    switch (layout.type) {
    case ControlType::Button:
    case ControlType::CustomButton: {
        auto *button = new CaptionButton(caption, this);
        if (layout.type == ControlType::Button) {
            commandButtons_[textFromTable(layout.name)] = button;
            return button;
        }
        // Drawn on the colour behind the text of entry fields.
        QPalette colours = button->palette();
        colours.setColor(QPalette::Button, colours.color(QPalette::Base));
        button->setPalette(colours);
        cmdCustom[index] = button;
        connect(button, &QPushButton::clicked, this, [this, index] { cmdCustom_Click(index); });
        return button;
    }
    case ControlType::CheckBox: {
        auto *box = new CaptionCheckBox(caption, this);
        chkCVAR[index] = box;
        connect(box, &QCheckBox::toggled, this, [this, index] { chkCVAR_Click(index); });
        return box;
    }
    case ControlType::TextBox:
    case ControlType::NumberBox:
    case ControlType::TimerBox: {
        auto *box = new QLineEdit(caption, this);
        box->setFont(styledFont(font(), true, false));
        box->setMaxLength(std::numeric_limits<int>::max());
        if (layout.type == ControlType::TextBox) {
            txtCVAR[index] = box;
            connect(box, &QLineEdit::textChanged, this, [this, index] { txtCVAR_Change(index); });
        } else if (layout.type == ControlType::NumberBox) {
            numCVAR[index] = box;
            connect(box, &QLineEdit::textChanged, this, [this, index] { numCVAR_Change(index); });
        } else {
            timCVAR[index] = box;
            connect(box, &QLineEdit::textChanged, this, [this, index] { timCVAR_Change(index); });
        }
        return box;
    }
    case ControlType::ScrollBar: {
        auto *bar = new SkillScrollBar(this);
        bar->setRange(LowestSkill, HighestSkill);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        bar->setTracking(false); // a drag of the thumb counts once, when it ends
        scrlSkill[index] = bar;
        connect(bar, &QScrollBar::valueChanged, this, [this, index] { scrlSkill_Change(index); });
        return bar;
    }
    case ControlType::SkillDisplay: {
        auto *label = new QLabel(caption, this);
        label->setFrameShape(QFrame::Box);
        label->setAlignment(Qt::AlignCenter);
        label->setFont(styledFont(font(), true, false));
        lblSkill[index] = label;
        return label;
    }
    case ControlType::OptionButton: {
        auto *option = new OptionButton(caption, this);
        radRadio[index] = option;
        connect(option, &QRadioButton::toggled, this, [this, index](bool selected) {
            if (selected)
                radRadio_Click(index);
        });
        return option;
    }
    case ControlType::Caption:
    case ControlType::Heading: {
        auto *label = new QLabel(caption, this);
        label->setAlignment(alignmentOf(layout.alignment));
        if (layout.type == ControlType::Heading)
            label->setFont(styledFont(font(), false, true));
        return label;
    }
    case ControlType::HelpMark: {
        auto *mark = new HelpMark(this);
        mark->setAccessibleName(tr("Help: %1").arg(QString::fromStdString(helpTitle(index))));
        mark->setAccessibleDescription(QString::fromStdString(helpText(index, '\n')));
        lblHelp[index] = mark;
        connect(mark, &HelpMark::clicked, this, [this, index] { lblHelp_Click(index); });
        return mark;
    }
    case ControlType::Shape: {
        auto *shape = new QFrame(this);
        shape->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return shape;
    }
    }
    Q_UNREACHABLE();
}

void frmMain::createLines()
{
    for (const LineLayout &line : mainWindowLines()) {
        auto *frame = new QFrame(this);
        frame->setObjectName(textFromTable(line.name));
        const bool vertical = line.x1 == line.x2;
        frame->setFrameStyle((vertical ? QFrame::VLine : QFrame::HLine) | QFrame::Sunken);
        const QPoint from(pixelsFromTwips(std::min(line.x1, line.x2)), pixelsFromTwips(std::min(line.y1, line.y2)));
        const QPoint to(pixelsFromTwips(std::max(line.x1, line.x2)), pixelsFromTwips(std::max(line.y1, line.y2)));
        // A sunken line is two pixels thick, drawn around the line's position.
        frame->setGeometry(vertical ? QRect(from.x() - 1, from.y(), 2, to.y() - from.y())
                                    : QRect(from.x(), from.y() - 1, to.x() - from.x(), 2));
    }
}

void frmMain::orderTabStops(const std::map<int, QWidget *> &focusChain)
{
    QWidget *previous = nullptr;
    for (const auto &[tabIndex, widget] : focusChain) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void frmMain::connectCommandButtons()
{
    const std::pair<const char *, void (frmMain::*)()> handlers[] = {
        {"cmdLoad", &frmMain::cmdLoad_Click},
        {"cmdCleanOut", &frmMain::cmdCleanOut_Click},
        {"cmdClnOut2", &frmMain::cmdClnOut2_Click},
        {"cmdChatLang", &frmMain::cmdChatLang_Click},
        {"cmdTitlesLang", &frmMain::cmdTitlesLang_Click},
        {"Command1", &frmMain::Command1_Click},
        {"Command2", &frmMain::Command2_Click},
    };
    for (const auto &[name, handler] : handlers)
        connect(commandButtons_.at(QLatin1String(name)), &QPushButton::clicked, this, handler);
    connect(commandButtons_.at(QStringLiteral("cmdSave")), &QPushButton::clicked, this, [this] { cmdSave_Click(); });
}

void frmMain::centreOnScreen()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

} // namespace kdx
