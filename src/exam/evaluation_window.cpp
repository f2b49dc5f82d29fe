#include "exam/evaluation_window.h"

#include <algorithm>

#include <QAbstractListModel>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

#include "common/app_signals.h"
#include "platform/qt_widgets.h"

namespace lexo {

// The wrong answers as a check list, read straight from the session: a long test may leave
// hundreds of thousands of them, so nothing is copied per item.
class WrongAnswersModel final : public QAbstractListModel {
public:
    WrongAnswersModel(EvaluationSession& session, QObject* parent) : QAbstractListModel(parent), session_(session) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(std::min<std::size_t>(session_.size(), kMaxRows));
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!valid(index)) return {};
        const auto row = static_cast<std::size_t>(index.row());
        // The tool tip shows a text too long for the list in full.
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
            const std::string_view text = session_.itemText(row);
            return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        }
        if (role == Qt::CheckStateRole) return session_.ticked(row) ? Qt::Checked : Qt::Unchecked;
        return {};
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::CheckStateRole || !valid(index)) return false;
        session_.setTicked(static_cast<std::size_t>(index.row()), value.toInt() == Qt::Checked);
        emit dataChanged(index, index, {Qt::CheckStateRole});
        return true;
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!valid(index)) return Qt::NoItemFlags;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
    }

    // The session changed: its list may have another length.
    void reload() {
        beginResetModel();
        endResetModel();
    }

    void ticksChanged() {
        if (rowCount() > 0) emit dataChanged(index(0), index(rowCount() - 1), {Qt::CheckStateRole});
    }

private:
    // A view counts its rows in int.
    static constexpr std::size_t kMaxRows = 0x7fffffff;

    // Until the next reload the view may ask for rows the session no longer has.
    bool valid(const QModelIndex& index) const {
        return index.isValid() && index.row() >= 0 && static_cast<std::size_t>(index.row()) < session_.size();
    }

    EvaluationSession& session_;
};

namespace {

constexpr QSize kClientSize{597, 267};

QLabel* valueLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(QStringLiteral("-"), parent);
    label->setObjectName(QString::fromUtf8(name));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

EvaluationWindow::EvaluationWindow(EvaluationSession& session, AppSignals& appSignals, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session) {
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Vyhodnocení"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    savePathChooser_ = [this] { return saveDialog(); };

    model_ = new WrongAnswersModel(session_, this);

    auto* left = new QVBoxLayout;
    left->addWidget(buildResults());
    left->addWidget(buildActions());
    left->addStretch();
    choose_ = iconButton("BitBtn4", "Vybrat", QStyle::SP_DialogApplyButton, this);
    back_ = iconButton("BitBtn1", "Zpět", QStyle::SP_ArrowBack, this);
    auto* leftButtons = new QHBoxLayout;
    leftButtons->addWidget(choose_);
    leftButtons->addWidget(back_);
    left->addLayout(leftButtons);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(buildList(), 1);

    connect(choose_, &QPushButton::clicked, this, &EvaluationWindow::choose);
    connect(back_, &QPushButton::clicked, this, &EvaluationWindow::goBack);
    connect(tickAll_, &QPushButton::clicked, this, &EvaluationWindow::tickAll);
    connect(untickAll_, &QPushButton::clicked, this, &EvaluationWindow::untickAll);
    connect(actions_, &QButtonGroup::idClicked, this,
            [this](int id) { session_.selectAction(static_cast<EvaluationAction>(id)); });

    gradePalette_ = grade_->palette();
    applyExpressionFont(appSignals.expressionFont());
    connect(&appSignals, &AppSignals::expressionFontChanged, this, &EvaluationWindow::applyExpressionFont);

    setFixedSize(kClientSize.expandedTo(layout->minimumSize()));
    refresh();
}

EvaluationWindow::~EvaluationWindow() = default;

QWidget* EvaluationWindow::buildResults() {
    auto* box = new QGroupBox(QStringLiteral("Výsledky:"), this);
    box->setObjectName(QStringLiteral("GroupBox1"));
    correct_ = valueLabel("lbspravne", box);
    wrong_ = valueLabel("lbspatne", box);
    success_ = valueLabel("lbuspesnost", box);
    grade_ = valueLabel("lbznamka", box);

    auto* grid = new QGridLayout(box);
    const auto row = [&](int at, const char* caption, QLabel* value) {
        grid->addWidget(new QLabel(QString::fromUtf8(caption), box), at, 0);
        grid->addWidget(value, at, 1);
    };
    row(0, "Správných výrazů:", correct_);
    row(1, "Špatných výrazů:", wrong_);
    row(2, "Úspěšnost:", success_);
    // Room for the longest figure from the start, so the window keeps its layout.
    success_->setMinimumWidth(QFontMetrics(success_->font()).horizontalAdvance(QStringLiteral("66,6666666666667")));
    grid->addWidget(new QLabel(QStringLiteral("%"), box), 2, 2);
    row(3, "Známka:", grade_);
    grid->setColumnStretch(3, 1);
    return box;
}

QWidget* EvaluationWindow::buildActions() {
    auto* box = new QGroupBox(QStringLiteral("Vybrané výrazy:"), this);
    box->setObjectName(QStringLiteral("GroupBox2"));
    const auto radio = [box](const char* name, const char* caption) {
        auto* button = new QRadioButton(QString::fromUtf8(caption), box);
        button->setObjectName(QString::fromUtf8(name));
        return button;
    };
    retest_ = radio("rbznova", "Nechat se znova prozkoušet");
    save_ = radio("rbulozit", "Uložit do nového slovníku");
    print_ = radio("rbtisk", "Vytisknout");
    actions_ = new QButtonGroup(box);
    actions_->addButton(retest_, static_cast<int>(EvaluationAction::Retest));
    actions_->addButton(save_, static_cast<int>(EvaluationAction::Save));
    actions_->addButton(print_, static_cast<int>(EvaluationAction::Print));
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(retest_);
    layout->addWidget(save_);
    layout->addWidget(print_);
    return box;
}

QWidget* EvaluationWindow::buildList() {
    auto* box = new QGroupBox(QStringLiteral("Seznam výrazu které nebyly uhodnuty:"), this);
    box->setObjectName(QStringLiteral("GroupBox3"));
    list_ = new QListView(box);
    list_->setObjectName(QStringLiteral("CheckListBox1"));
    // Every row has the same height, so the view never measures a long list item by item.
    list_->setUniformItemSizes(true);
    // Keeps the check boxes of neighbouring items apart.
    list_->setSpacing(1);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setModel(model_);
    list_->setMinimumWidth(300);

    tickAll_ = iconButton("BitBtn2", "Vybrat vše", QStyle::SP_DialogYesButton, box);
    untickAll_ = iconButton("BitBtn3", "Zrušit vybraní", QStyle::SP_DialogNoButton, box);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(tickAll_);
    buttons->addWidget(untickAll_);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(box);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    return box;
}

void EvaluationWindow::setSavePathChooser(EvaluationSession::SavePathChooser chooser) {
    savePathChooser_ = chooser ? std::move(chooser) : EvaluationSession::SavePathChooser([this] { return saveDialog(); });
}

void EvaluationWindow::applyExpressionFont(const QFont& font) { list_->setFont(font); }

void EvaluationWindow::refresh() {
    showLabels();
    model_->reload();
    if (QAbstractButton* action = actions_->button(static_cast<int>(session_.action()))) action->setChecked(true);
}

void EvaluationWindow::showLabels() {
    const EvaluationLabels& labels = session_.labels();
    correct_->setText(qs(labels.correct));
    wrong_->setText(qs(labels.wrong));
    success_->setText(qs(labels.success));
    grade_->setText(qs(labels.grade));
    QPalette palette = gradePalette_;
    switch (labels.gradeColour) {
    case GradeColour::Green: palette.setColor(QPalette::WindowText, QColor(0, 128, 0)); break;
    case GradeColour::Red: palette.setColor(QPalette::WindowText, QColor(255, 0, 0)); break;
    case GradeColour::Unchanged: break;
    }
    grade_->setPalette(palette);
}

void EvaluationWindow::choose() { follow(session_.choose(savePathChooser_)); }

void EvaluationWindow::goBack() { follow(session_.back()); }

void EvaluationWindow::tickAll() {
    if (session_.tickAll()) model_->ticksChanged();
}

void EvaluationWindow::untickAll() {
    if (session_.untickAll()) model_->ticksChanged();
}

void EvaluationWindow::follow(EvaluationSession::Next next) {
    refresh();
    std::function<void()>* handler = nullptr;
    switch (next) {
    case EvaluationSession::Next::Stay: return;
    case EvaluationSession::Next::ShowTestOne: handler = &showTestOne_; break;
    case EvaluationSession::Next::ShowTestTwo: handler = &showTestTwo_; break;
    case EvaluationSession::Next::ShowPrint:
        // Nowhere to go: the ticked expressions stay in sight.
        if (!showPrint_) return;
        handler = &showPrint_;
        break;
    }
    hide();
    if (*handler) (*handler)();
}

std::optional<std::filesystem::path> EvaluationWindow::saveDialog() {
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Slovniky (*.slv)"));
    dialog.setDefaultSuffix(QStringLiteral("slv"));
    // The folders chosen earlier in the run, as the other dialogs of the program offer them.
    if (!saveFolders_.isEmpty()) {
        dialog.setDirectory(saveFolders_.constFirst());
        dialog.setHistory(saveFolders_);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString path = dialog.selectedFiles().constFirst();
    const QString folder = QFileInfo(path).absolutePath();
    saveFolders_.removeAll(folder);
    saveFolders_.prepend(folder);
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

void EvaluationWindow::showEvent(QShowEvent* event) {
    refresh();
    if (!centred_) {
        centred_ = true;
        centreOnScreen(*this);
    }
    QWidget::showEvent(event);
}

// Closing is "Zpět"; after "Zpět" itself the session finds no test to serve and nothing runs.
void EvaluationWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    const EvaluationSession::Next next = session_.back();
    refresh();
    if (next == EvaluationSession::Next::ShowTestOne && showTestOne_) showTestOne_();
    if (next == EvaluationSession::Next::ShowTestTwo && showTestTwo_) showTestTwo_();
}

}  // namespace lexo
