#include "ui/analysiswindow.h"

#include "present/runstable.h"
#include "report/qtpresent.h"
#include "report/scenepainter.h"
#include "report/seriescharts.h"
#include "ui/saving.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <vector>

namespace {

// The size of the picture Copy and Save give.
constexpr QSize pictureSize(1400, 560);

}  // namespace

// Paints both charts side by side at whatever size the window gives.
class ChartsView : public QWidget {
public:
    explicit ChartsView(QWidget* parent)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("analysisCharts"));
        setMinimumSize(640, 300);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

    // Shows the analysis; the charts are built again on the next paint.
    void showAnalysis(const series::Analysis* shown, const QString& unit)
    {
        analysis = shown;
        flowUnit = unit;
        scenes.clear();
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        if (!analysis)
            return;
        const double half = width() / 2.0;
        // Built once per analysis and size: a repaint (a tooltip, a window
        // passing over) only paints them.
        if (scenes.empty() || scenesSize != size()) {
            scenes.clear();
            for (const report::Against against : {report::Against::gasFlow, report::Against::waterFlow})
                scenes.push_back(
                    report::coefficientChart(painter, QSizeF(half, height()), *analysis, against, flowUnit));
            scenesSize = size();
        }
        report::paintScene(painter, QRectF(0, 0, half, height()), scenes[0]);
        report::paintScene(painter, QRectF(half, 0, half, height()), scenes[1]);
    }

private:
    const series::Analysis* analysis = nullptr;
    QString flowUnit;
    std::vector<present::Scene> scenes;
    QSize scenesSize;
};

AnalysisWindow::AnalysisWindow(RunsModel& runs, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , model(runs)
    , charts(new ChartsView(this))
    , text(new QLabel(this))
    , coefficient(new QComboBox(this))
    , weighted(new QCheckBox(tr("&Weight by the uncertainties"), this))
    , unweighted(new QLabel(this))
    , pending(new QTimer(this))
{
    setWindowTitle(tr("Series Analysis"));
    setObjectName(QStringLiteral("analysisWindow"));
    text->setObjectName(QStringLiteral("fitText"));
    text->setTextFormat(Qt::PlainText);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    text->setWordWrap(true);
    text->setMinimumWidth(280);
    weighted->setObjectName(QStringLiteral("weightedFit"));
    weighted->setChecked(true);
    weighted->setToolTip(tr("Weights each run by 1/u² of its ln MTC, when every run in the fit has an uncertainty"));
    unweighted->setObjectName(QStringLiteral("unweightedReason"));
    unweighted->setTextFormat(Qt::PlainText);
    unweighted->setWordWrap(true);
    unweighted->hide();

    auto* copy = new QPushButton(tr("&Copy Picture"), this);
    auto* save = new QPushButton(tr("&Save Picture…"), this);
    copy->setObjectName(QStringLiteral("copyPicture"));
    save->setObjectName(QStringLiteral("savePicture"));
    connect(copy, &QPushButton::clicked, this, [this] { QGuiApplication::clipboard()->setImage(picture()); });
    connect(save, &QPushButton::clicked, this, [this] { ui::saveChartPicture(this, picture()); });
    auto* copyAction = new QAction(this);
    copyAction->setShortcut(QKeySequence::Copy);
    connect(copyAction, &QAction::triggered, copy, &QPushButton::click);
    addAction(copyAction);

    coefficient->setObjectName(QStringLiteral("fittedCoefficient"));
    for (const series::Fitted fitted : {series::Fitted::quillon, series::Fitted::colburn})
        coefficient->addItem(report::qstring(present::fittedText(fitted, report::qtLanguage())), int(fitted));
    coefficient->setToolTip(
        tr("The coefficient of Quillon's NTU sum, or of the Colburn NTU; the uncertainties are the first's"));
    auto* choice = new QFormLayout;
    choice->addRow(tr("C&oefficient:"), coefficient);

    auto* side = new QVBoxLayout;
    side->addLayout(choice);
    side->addWidget(text, 1);
    side->addWidget(weighted);
    side->addWidget(unweighted);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy);
    buttons->addWidget(save);
    side->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(charts, 1);
    layout->addLayout(side);

    // Changes come in bursts (a file opened, runs deleted): one refit after
    // each burst.
    pending->setSingleShot(true);
    pending->setInterval(0);
    connect(pending, &QTimer::timeout, this, &AnalysisWindow::refresh);
    const auto later = [this] { pending->start(); };
    connect(&runs, &QAbstractItemModel::dataChanged, this, later);
    connect(&runs, &QAbstractItemModel::rowsInserted, this, later);
    connect(&runs, &QAbstractItemModel::rowsRemoved, this, later);
    connect(&runs, &QAbstractItemModel::modelReset, this, later);
    connect(&runs, &QAbstractItemModel::headerDataChanged, this, later);
    connect(coefficient, &QComboBox::currentIndexChanged, this, later);
    // Only the user's clicks change the wish; the box follows the runs too.
    connect(weighted, &QCheckBox::clicked, this, [this, later](bool checked) {
        weightingWanted = checked;
        later();
    });
    refresh();
    resize(1200, 520);
}

void AnalysisWindow::refresh()
{
    // Runs still computing are waited for, not taken as lacking an uncertainty.
    computing = {model.uncertainties().pendingRuns(model.series()), weightingWanted};
    current =
        present::analysisAsShown(series::analyse(model.series(), model.results(), model.uncertaintiesSoFar(),
                                                 weightingWanted, series::Fitted(coefficient->currentData().toInt())),
                                 computing);
    const auto why = present::unweightedText(current, report::qtLanguage(), computing);
    weighted->setEnabled(!why);
    weighted->setChecked(weightingWanted && !why);
    unweighted->setText(why ? QString::fromStdString(*why) : QString());
    unweighted->setVisible(why.has_value());
    text->setText(fitText());
    charts->showAnalysis(&current, QString::fromStdString(model.series().flowUnit));
}

QString AnalysisWindow::fitText() const
{
    return report::qstrings(present::fitLines(current, model.series().flowUnit, report::qtLanguage(),
                                              report::numberLocaleOf(QLocale()), computing, false))
        .join(u'\n');
}

QImage AnalysisWindow::picture() const
{
    return report::analysisImage(current, QString::fromStdString(model.series().flowUnit), pictureSize);
}
