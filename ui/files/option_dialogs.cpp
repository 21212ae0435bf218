#include "files/option_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QSpinBox* Spin(int min, int max, int value) {
  auto* spin = new QSpinBox;
  spin->setRange(min, max);
  spin->setValue(value);
  return spin;
}

QCheckBox* Check(const QString& text, bool checked) {
  auto* box = new QCheckBox(text);
  box->setChecked(checked);
  return box;
}

QLineEdit* ColorEdit(std::uint32_t rgb) {
  auto* edit = new QLineEdit(ColorText(rgb));
  edit->setInputMask(QStringLiteral("\\#HHHHHH"));
  return edit;
}

// OK and Cancel under the form; true when the dialog was accepted.
bool Run(QDialog& dialog, QVBoxLayout* layout) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace

QString ColorText(std::uint32_t rgb) { return QStringLiteral("#%1").arg(rgb & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper(); }

std::uint32_t ColorFromText(const QString& text, std::uint32_t fallback) {
  bool ok = false;
  const std::uint32_t value = text.mid(1).toUInt(&ok, 16);
  return ok && text.size() == 7 ? value : fallback;
}

bool RunSourceOptionsDialog(QWidget* parent, TSourceOptions& options,
                            const std::function<QString(const TSourceOptions&)>& preview) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("Export source..."));
  auto* layout = new QVBoxLayout(&dialog);
  auto* form = new QFormLayout;
  layout->addLayout(form);

  auto* dialect = new QComboBox;
  for (TSourceDialect d : AllDialects) dialect->addItem(QString::fromLatin1(DialectName(d)));
  dialect->setCurrentIndex(int(options.Dialect));
  auto* label = new QLineEdit(QString::fromStdString(options.Label));
  label->setPlaceholderText(QStringLiteral("from the file name"));
  auto* perLine = Spin(1, 256, options.ValuesPerLine);
  auto* base = new QComboBox;
  base->addItems({QStringLiteral("Hexadecimal"), QStringLiteral("Decimal"), QStringLiteral("Binary")});
  base->setCurrentIndex(int(options.Base));
  auto* header = Check(QStringLiteral("Comment block at the top"), options.HeaderComment);
  auto* frameComments = Check(QStringLiteral("Comment before each frame"), options.FrameComments);
  auto* frameLabels = Check(QStringLiteral("Label before each frame"), options.FrameLabels);
  auto* firstLine = Spin(0, 63999, options.BasicFirstLine);
  auto* step = Spin(1, 1000, options.BasicStep);
  form->addRow(QStringLiteral("Dialect:"), dialect);
  form->addRow(QStringLiteral("Label:"), label);
  form->addRow(QStringLiteral("Values per line:"), perLine);
  form->addRow(QStringLiteral("Numbers:"), base);
  form->addRow(header);
  form->addRow(frameComments);
  form->addRow(frameLabels);
  form->addRow(QStringLiteral("BASIC first line:"), firstLine);
  form->addRow(QStringLiteral("BASIC line step:"), step);

  auto* shown = new QPlainTextEdit;
  shown->setReadOnly(true);
  shown->setLineWrapMode(QPlainTextEdit::NoWrap);
  shown->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  shown->setMinimumSize(520, 200);
  layout->addWidget(shown);

  auto read = [&] {
    options.Dialect = AllDialects[std::size_t(std::max(0, dialect->currentIndex()))];
    options.Label = label->text().toStdString();
    options.ValuesPerLine = perLine->value();
    options.Base = TNumberBase(base->currentIndex());
    options.HeaderComment = header->isChecked();
    options.FrameComments = frameComments->isChecked();
    options.FrameLabels = frameLabels->isChecked();
    options.BasicFirstLine = firstLine->value();
    options.BasicStep = step->value();
    shown->setPlainText(preview(options));
  };
  read();
  for (QComboBox* box : {dialect, base}) QObject::connect(box, &QComboBox::currentIndexChanged, &dialog, read);
  for (QSpinBox* spin : {perLine, firstLine, step}) QObject::connect(spin, &QSpinBox::valueChanged, &dialog, read);
  for (QCheckBox* box : {header, frameComments, frameLabels}) QObject::connect(box, &QCheckBox::toggled, &dialog, read);
  QObject::connect(label, &QLineEdit::textChanged, &dialog, read);
  const TSourceOptions kept = options;
  if (Run(dialog, layout)) return true;
  options = kept;
  return false;
}

bool RunImageExportDialog(QWidget* parent, TImageExportChoice& choice) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("Export image..."));
  auto* layout = new QVBoxLayout(&dialog);
  auto* format = new QComboBox;
  format->addItems({QStringLiteral("PNG image"), QStringLiteral("Animated GIF")});
  format->setCurrentIndex(int(choice.Format));
  layout->addWidget(format);
  auto* pages = new QStackedWidget;
  layout->addWidget(pages);

  auto* png = new QWidget;
  auto* pngForm = new QFormLayout(png);
  auto* imageLayout = new QComboBox;
  imageLayout->addItems({QStringLiteral("Planes: sprite and mask side by side"),
                         QStringLiteral("Alpha: the sprite as it appears")});
  imageLayout->setCurrentIndex(int(choice.Png.Layout));
  auto* columns = Spin(0, 128, choice.Png.Sheet.Columns);
  columns->setSpecialValueText(QStringLiteral("all in one row"));
  auto* spacing = Spin(0, 64, choice.Png.Sheet.Spacing);
  auto* perFrame = Check(QStringLiteral("One file per frame"), choice.Png.OneFilePerFrame);
  auto* ink = ColorEdit(choice.Png.Ink);
  pngForm->addRow(QStringLiteral("Layout:"), imageLayout);
  pngForm->addRow(QStringLiteral("Frames per row:"), columns);
  pngForm->addRow(QStringLiteral("Spacing:"), spacing);
  pngForm->addRow(perFrame);
  pngForm->addRow(QStringLiteral("Ink:"), ink);
  pages->addWidget(png);

  auto* gif = new QWidget;
  auto* gifForm = new QFormLayout(gif);
  auto* delay = Spin(1, 1000, choice.Gif.DelayCentiseconds);
  delay->setSuffix(QStringLiteral(" / 100 s"));
  auto* scale = Spin(1, 8, choice.Gif.Scale);
  scale->setSuffix(QStringLiteral("x"));
  auto* background = ColorEdit(choice.Gif.Background);
  auto* gifInk = ColorEdit(choice.Gif.Ink);
  gifForm->addRow(QStringLiteral("Delay:"), delay);
  gifForm->addRow(QStringLiteral("Scale:"), scale);
  gifForm->addRow(QStringLiteral("Background:"), background);
  gifForm->addRow(QStringLiteral("Ink:"), gifInk);
  pages->addWidget(gif);
  pages->setCurrentIndex(format->currentIndex());
  QObject::connect(format, &QComboBox::currentIndexChanged, pages, &QStackedWidget::setCurrentIndex);

  if (!Run(dialog, layout)) return false;
  choice.Format = TImageFormat(format->currentIndex());
  choice.Png.Layout = TImageLayout(imageLayout->currentIndex());
  choice.Png.Sheet.Columns = columns->value();
  choice.Png.Sheet.Spacing = spacing->value();
  choice.Png.OneFilePerFrame = perFrame->isChecked();
  choice.Png.Ink = ColorFromText(ink->text(), choice.Png.Ink);
  choice.Gif.DelayCentiseconds = delay->value();
  choice.Gif.Scale = scale->value();
  choice.Gif.Background = ColorFromText(background->text(), choice.Gif.Background);
  choice.Gif.Ink = ColorFromText(gifInk->text(), choice.Gif.Ink);
  return true;
}

bool RunImageImportDialog(QWidget* parent, TPngImportOptions& options) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("Import image..."));
  auto* layout = new QVBoxLayout(&dialog);
  auto* form = new QFormLayout;
  layout->addLayout(form);
  auto* imageLayout = new QComboBox;
  imageLayout->addItems({QStringLiteral("Planes: sprite and mask side by side"),
                         QStringLiteral("Alpha: transparency is the mask")});
  imageLayout->setCurrentIndex(int(options.Layout));
  auto* cellWidth = Spin(0, 4096, options.CellWidth);
  cellWidth->setSpecialValueText(QStringLiteral("the whole image"));
  auto* cellHeight = Spin(0, 4096, options.CellHeight);
  cellHeight->setSpecialValueText(QStringLiteral("the whole image"));
  auto* spacing = Spin(0, 64, options.Spacing);
  auto* dark = Check(QStringLiteral("Dark pixels are the ink"), options.DarkInk);
  form->addRow(QStringLiteral("Layout:"), imageLayout);
  form->addRow(QStringLiteral("Cell width:"), cellWidth);
  form->addRow(QStringLiteral("Cell height:"), cellHeight);
  form->addRow(QStringLiteral("Spacing:"), spacing);
  form->addRow(dark);
  if (!Run(dialog, layout)) return false;
  options.Layout = TImageLayout(imageLayout->currentIndex());
  options.CellWidth = cellWidth->value();
  options.CellHeight = cellHeight->value();
  options.Spacing = spacing->value();
  options.DarkInk = dark->isChecked();
  return true;
}
