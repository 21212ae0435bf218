#include "preview/preview_dock.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "widgets/spin_edit.h"

TPreviewBox::TPreviewBox(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

const QImage& TPreviewBox::Render() {
  const TPreviewFrame f = FrameSource ? FrameSource() : TPreviewFrame{};
  if (!ValidPreviewFrame(f)) {
    FImage = QImage();
    return FImage;
  }
  const QSize size(PreviewPictureWidth(f), PreviewPictureHeight(f));
  if (FImage.size() != size) FImage = QImage(size, QImage::Format_RGB32);
  // Format_RGB32 lines are 32-bit aligned, so a line holds a whole number of pixels.
  RenderPreviewFrame(f, reinterpret_cast<std::uint32_t*>(FImage.bits()), FImage.bytesPerLine() / 4);
  return FImage;
}

void TPreviewBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QImage& image = Render();
  if (image.size() != size()) painter.fillRect(rect(), Qt::black);  // only while the box waits for its new size
  if (!image.isNull()) painter.drawImage(QPoint(0, 0), image);
}

TPreviewDock::TPreviewDock(QWidget* parent) : QDockWidget(QStringLiteral("Preview"), parent) {
  setObjectName("DockPreview");
  auto* content = new QWidget;
  auto* layout = new QVBoxLayout(content);

  PreviewBox = new TPreviewBox;
  PreviewBox->setObjectName("PreviewBox");
  PreviewBox->FrameSource = [this] { return PictureFrame(); };
  ScrollBoxPreview = new QScrollArea;
  ScrollBoxPreview->setObjectName("ScrollBoxPreview");
  ScrollBoxPreview->setWidget(PreviewBox);
  ScrollBoxPreview->setAlignment(Qt::AlignCenter);
  ScrollBoxPreview->setWidgetResizable(false);
  QPalette grey = ScrollBoxPreview->palette();
  grey.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
  ScrollBoxPreview->viewport()->setPalette(grey);
  ScrollBoxPreview->viewport()->setBackgroundRole(QPalette::Window);
  ScrollBoxPreview->setMinimumSize(200, 200);
  layout->addWidget(ScrollBoxPreview, 1);

  BtnPlay = new QPushButton(QStringLiteral("Play"));
  BtnPlay->setObjectName("BtnPlay");
  layout->addWidget(BtnPlay);

  auto* form = new QFormLayout;
  SpinEditFps = new TSpinEdit;
  SpinEditFps->setObjectName("SpinEditFps");
  SpinEditFps->setRange(1, 50);
  SpinEditFps->setValue(10);
  LblFps = new QLabel(QStringLiteral("Frames per second:"));
  form->addRow(LblFps, SpinEditFps);
  CbPlayMode = new QComboBox;
  CbPlayMode->setObjectName("CbPlayMode");
  CbPlayMode->addItems({QStringLiteral("Loop"), QStringLiteral("Back and forth")});
  LblPlayMode = new QLabel(QStringLiteral("Mode:"));
  form->addRow(LblPlayMode, CbPlayMode);
  CbPreviewScale = new QComboBox;
  CbPreviewScale->setObjectName("CbPreviewScale");
  for (int s = 1; s <= PreviewMaxScale; ++s) CbPreviewScale->addItem(QString::number(s) + QChar(0x00D7));
  CbPreviewScale->setCurrentIndex(1);
  LblPreviewScale = new QLabel(QStringLiteral("Scale:"));
  form->addRow(LblPreviewScale, CbPreviewScale);
  CbPreviewBackground = new QComboBox;
  CbPreviewBackground->setObjectName("CbPreviewBackground");
  CbPreviewBackground->addItems({QStringLiteral("Black"), QStringLiteral("White"), QStringLiteral("Checker")});
  LblPreviewBackground = new QLabel(QStringLiteral("Background:"));
  form->addRow(LblPreviewBackground, CbPreviewBackground);
  LblFps->setObjectName("LblFps");
  LblPlayMode->setObjectName("LblPlayMode");
  LblPreviewScale->setObjectName("LblPreviewScale");
  LblPreviewBackground->setObjectName("LblPreviewBackground");
  layout->addLayout(form);
  setWidget(content);

  FTimer.setTimerType(Qt::PreciseTimer);
  SpinEditFpsChange();
  connect(BtnPlay, &QPushButton::clicked, this, &TPreviewDock::BtnPlayClick);
  connect(&FTimer, &QTimer::timeout, this, &TPreviewDock::PreviewTimerTick);
  connect(SpinEditFps, &QSpinBox::valueChanged, this, &TPreviewDock::SpinEditFpsChange);
  for (QComboBox* box : {CbPreviewScale, CbPreviewBackground})
    connect(box, &QComboBox::currentIndexChanged, this, &TPreviewDock::Refresh);
  connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (visible) Refresh();
  });
}

TPreviewDocument TPreviewDock::Document() const { return DocumentSource ? DocumentSource() : TPreviewDocument{}; }

int TPreviewDock::ShownFrame() const {
  const TPreviewDocument d = Document();
  if (!Playing()) return d.CurrentFrame;
  return std::clamp(FPosition.Frame, 0, std::max(1, d.FrameCount) - 1);
}

TPreviewFrame TPreviewDock::PictureFrame() const {
  const TPreviewDocument d = Document();
  TPreviewFrame f;
  f.Store = d.Store;
  f.Frame = ShownFrame();
  f.Width = d.Width;
  f.Height = d.Height;
  f.Masked = d.Masked;
  f.Background = TPreviewBackground(std::max(0, CbPreviewBackground->currentIndex()));
  f.Scale = CbPreviewScale->currentIndex() + 1;
  return f;
}

void TPreviewDock::Refresh() {
  if (!isVisible()) return;
  const TPreviewFrame f = PictureFrame();
  const QSize size = ValidPreviewFrame(f) ? QSize(PreviewPictureWidth(f), PreviewPictureHeight(f)) : QSize(0, 0);
  if (PreviewBox->size() != size) PreviewBox->resize(size);
  PreviewBox->update();
}

void TPreviewDock::BtnPlayClick() {
  if (Playing()) {
    FTimer.stop();
    BtnPlay->setText(QStringLiteral("Play"));
  } else {
    FPosition = {Document().CurrentFrame, 1};
    FTimer.start();
    BtnPlay->setText(QStringLiteral("Pause"));
  }
  Refresh();
}

void TPreviewDock::PreviewTimerTick() {
  if (!Playing()) return;
  FPosition = NextPlayPosition(FPosition, TPlayMode(CbPlayMode->currentIndex()), Document().FrameCount);
  Refresh();
}

void TPreviewDock::SpinEditFpsChange() { FTimer.setInterval(int(std::lround(1000.0 / SpinEditFps->value()))); }
