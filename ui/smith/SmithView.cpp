// SPDX-License-Identifier: GPL-3.0-or-later
#include "SmithView.h"

#include "SmithCanvas.h"
#include "SmithEdit.h"
#include "SmithTexts.h"

#include <QAccessible>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <numbers>

using namespace merivane;
namespace present = merivane::present;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The merge ids of the chart: kSmithMergeBase and the 999 after it, in turn.
constexpr int kMergeIds = 1000;

// The readout's lines, two a row: at most six, so three rows.
constexpr int kReadoutPerRow = 2;
constexpr int kReadoutRows = 3;

// The readout in a room of its own, as high as the longest readout in its
// font and never wider than the view gives it: a readout that grows or
// shrinks never moves the chart.
class TReadoutLabel final : public QLabel {
public:
    explicit TReadoutLabel(QWidget* parent) : QLabel(parent)
    {
        setWordWrap(false);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    }
    QSize sizeHint() const override { return {0, kReadoutRows * fontMetrics().lineSpacing() + 2 * margin() + 2}; }
    QSize minimumSizeHint() const override { return sizeHint(); }
};

// A dragged point as the load: |G| to 3 decimals, the phase to 0.1 deg, as
// fine as a pointer can place it; within the unit circle.
void DraggedLoad(smith::TGamma g, double& mag, double& phaDeg)
{
    mag = std::min(1.0, std::round(std::abs(g) * 1000) / 1000);
    phaDeg = std::round(std::arg(g) * 1800 / std::numbers::pi) / 10;
}

}  // namespace

TSmithView::TSmithView(QWidget* parent) : TCaseView(parent)
{
    setWindowTitle(QStringLiteral("Smith Chart"));
    canvas_ = new TSmithCanvas(this);
    grid_ = new QComboBox(this);
    grid_->addItems({QStringLiteral("Impedance"), QStringLiteral("Admittance"), QStringLiteral("Both")});
    grid_->setAccessibleName(QStringLiteral("Grid"));
    zoom_ = new QComboBox(this);
    for (double z : present::kSmithZooms) zoom_->addItem(QStringLiteral("|\u0393| \u2264 ") + QString::number(z));
    zoom_->setAccessibleName(QStringLiteral("Zoom, |\u0393| at the edge"));
    swr_ = new QLineEdit(Q(present::SwrCirclesText(options_.swrCircles)), this);
    swr_->setAccessibleName(QStringLiteral("SWR circles"));
    swr_->setToolTip(QStringLiteral("The SWR circles drawn, apart by commas"));
    save_ = new QPushButton(QStringLiteral("Save Image\u2026"), this);
    save_->setAccessibleName(QStringLiteral("Save Image"));
    readout_ = new TReadoutLabel(this);
    readout_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    readout_->setAccessibleName(QStringLiteral("Readout"));
    swrNote_ = new QLabel(this);
    swrNote_->setAccessibleName(QStringLiteral("SWR circles note"));
    swrNote_->hide();

    const auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    auto* bar = new QHBoxLayout;
    bar->addWidget(label(QStringLiteral("&Grid"), grid_));
    bar->addWidget(grid_);
    bar->addWidget(label(QStringLiteral("&Zoom"), zoom_));
    bar->addWidget(zoom_);
    bar->addWidget(label(QStringLiteral("S&WR circles"), swr_));
    bar->addWidget(swr_, 1);
    bar->addWidget(save_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(swrNote_);
    layout->addWidget(canvas_, 1);
    layout->addWidget(readout_);
    setFocusProxy(canvas_);

    connect(grid_, &QComboBox::currentIndexChanged, this, [this](int i) {
        options_.grid = static_cast<smith::SmithGrid>(i);
        Rebuild();
    });
    connect(zoom_, &QComboBox::currentIndexChanged, this, [this](int i) { SetZoomIndex(i); });
    connect(swr_, &QLineEdit::editingFinished, this, &TSmithView::ReadSwrField);
    connect(save_, &QPushButton::clicked, this, &TSmithView::SaveImageAsked);

    ConnectCanvas();
    ShowReadout();
}

// The pointer, a drag and the keys on the chart ask for the case as it
// should become.
void TSmithView::ConnectCanvas()
{
    connect(canvas_, &TSmithCanvas::PointerAt, this, [this](smith::TGamma g) {
        pointer_ = g;
        ShowReadout();
    });
    connect(canvas_, &TSmithCanvas::PointerLeft, this, [this] {
        pointer_.reset();
        ShowReadout();
    });
    connect(canvas_, &TSmithCanvas::DragStarted, this, [this] {
        dragMerge_ = kSmithMergeBase + nextMerge_;
        nextMerge_ = (nextMerge_ + 1) % kMergeIds;
        lastKey_ = 0;
    });
    connect(canvas_, &TSmithCanvas::DraggedTo, this, [this](smith::TGamma g) {
        if (!snapshot_ || dragMerge_ < 0) return;
        double mag = 0, pha = 0;
        DraggedLoad(g, mag, pha);
        Edit(present::WithDraggedLoad(snapshot_->c, mag, pha), QStringLiteral("Move the load on the Smith chart"),
             dragMerge_);
    });
    connect(canvas_, &TSmithCanvas::DragEnded, this, [this] { dragMerge_ = -1; });
    // a run of presses of the same kind is one change, as a spinner's clicks are
    const auto keyRun = [this](int kind) {
        if (lastKey_ != kind || keyMerge_ < 0) {
            keyMerge_ = kSmithMergeBase + nextMerge_;
            nextMerge_ = (nextMerge_ + 1) % kMergeIds;
        }
        lastKey_ = kind;
        pointer_.reset();  // the readout follows the keys: the load's
        return keyMerge_;
    };
    connect(canvas_, &TSmithCanvas::PhaseStep, this, [this, keyRun](double deg) {
        if (!snapshot_) return;
        Edit(present::LoadPhaseStep(snapshot_->c, deg), QStringLiteral("Turn the load's phase"), keyRun(1));
    });
    connect(canvas_, &TSmithCanvas::MagnitudeStep, this, [this, keyRun](double d) {
        if (!snapshot_) return;
        Edit(present::LoadMagnitudeStep(snapshot_->c, d), QStringLiteral("Change the load's magnitude"), keyRun(2));
    });
    connect(canvas_, &TSmithCanvas::ToConjugate, this, [this] {
        if (!snapshot_) return;
        lastKey_ = 0;
        pointer_.reset();
        Edit(present::LoadToConjugate(snapshot_->c), QStringLiteral("Load to the source's conjugate"), -1);
    });
    connect(canvas_, &TSmithCanvas::ZoomStep, this, [this](int steps) {
        SetZoomIndex(std::clamp(zoom_->currentIndex() + steps, 0, zoom_->count() - 1));
    });
}

void TSmithView::ShowSnapshot(const present::TSnapshot& s)
{
    snapshot_ = s;
    Rebuild();
}

void TSmithView::Edit(const present::TCase& c, const QString& what, int mergeId)
{
    if (c == snapshot_->c) return;  // at a limit already: nothing changes
    emit Edited(c, what, mergeId);
}

void TSmithView::Rebuild()
{
    if (!snapshot_) return;
    options_.unit = snapshot_->c.display.power;
    smith::TSmithScene scene = smith::MakeSmithScene(*snapshot_, options_);
    scene.marker = pointer_;
    canvas_->SetScene(scene, options_);
    ShowReadout();
}

void TSmithView::ShowReadout()
{
    if (!snapshot_) {
        readout_->setText(QStringLiteral("No case"));
        canvas_->setAccessibleDescription(readout_->text());
        return;
    }
    const smith::TSmithScene& scene = canvas_->Scene();
    const smith::TGamma g = pointer_.value_or(scene.load);
    QStringList parts;
    if (std::abs(g) > 1) {
        parts << QString::fromUtf8(present::kSmithOutsideText);
    } else {
        const smith::TPointReading r = smith::ReadPoint(g, snapshot_->m, scene.locus);
        for (const std::string& l : present::SmithReadoutLines(r, scene.locus, options_.unit)) parts << Q(l);
    }
    const QString head = pointer_ ? QString() : QStringLiteral("Load: ");
    QStringList rows;
    for (qsizetype i = 0; i < parts.size(); i += kReadoutPerRow) rows << parts.mid(i, kReadoutPerRow).join(QStringLiteral("   "));
    readout_->setText(head + rows.join(QLatin1Char('\n')));
    const QString description = head + parts.join(QStringLiteral("; "));
    if (description != canvas_->accessibleDescription()) {
        canvas_->setAccessibleDescription(description);
        QAccessibleEvent event(canvas_, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
    smith::TSmithScene marked = scene;
    marked.marker = pointer_;
    if (marked.marker != scene.marker) canvas_->SetScene(marked, options_);
}

QString TSmithView::ReadoutText() const { return canvas_->accessibleDescription(); }

void TSmithView::SetZoomIndex(int index)
{
    if (index < 0 || index >= static_cast<int>(std::size(present::kSmithZooms))) return;
    if (zoom_->currentIndex() != index) {
        zoom_->setCurrentIndex(index);  // comes back here through its signal
        return;
    }
    options_.edge = present::kSmithZooms[index];
    Rebuild();
}

void TSmithView::ReadSwrField()
{
    std::vector<double> swr;
    std::string error;
    if (present::ReadSwrCircles(swr_->text().toStdString(), swr, error)) {
        swrNote_->hide();
        options_.swrCircles = swr;
        Rebuild();
        return;
    }
    // the circles in force stay, and the field says so
    swrNote_->setText(Q(error) + QStringLiteral("; the circles stay ") + Q(present::SwrCirclesText(options_.swrCircles)));
    swrNote_->show();
}

bool TSmithView::SaveImage(const QString& path, QString& reason) const
{
    const qreal ratio = canvas_->devicePixelRatioF();
    const QSize size = (QSizeF(canvas_->size()) * ratio).toSize().expandedTo(QSize(400, 400));
    smith::TSmithScene scene = canvas_->Scene();
    scene.marker.reset();
    return smith::WriteSmithImage(path, size, scene, options_, canvas_->Palette(), reason);
}

void TSmithView::SaveImageAsked()
{
    QString filter;
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save Image"), QStringLiteral("smith.png"),
                                                      QStringLiteral("PNG image (*.png);;SVG image (*.svg)"), &filter);
    if (path.isEmpty()) return;
    QString file = path;
    if (!file.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive) && !file.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
        file += filter.contains(QStringLiteral("svg")) ? QStringLiteral(".svg") : QStringLiteral(".png");
    QString reason;
    if (!SaveImage(file, reason))
        QMessageBox::warning(this, QStringLiteral("Save Image"), QStringLiteral("Unable to write %1: %2").arg(file, reason));
}
