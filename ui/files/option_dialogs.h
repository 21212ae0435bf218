#pragma once
// The option dialogs of Export source, Export image and Import image. Each edits its options
// in place and returns false when cancelled.

#include <QString>
#include <functional>

#include "files/export_choices.h"

class QWidget;

bool RunSourceOptionsDialog(QWidget* parent, TSourceOptions& options,
                            const std::function<QString(const TSourceOptions&)>& preview);
bool RunImageExportDialog(QWidget* parent, TImageExportChoice& choice);
bool RunImageImportDialog(QWidget* parent, TPngImportOptions& options);

// "#RRGGBB" and back; a text that is no colour keeps `fallback`.
QString ColorText(std::uint32_t rgb);
std::uint32_t ColorFromText(const QString& text, std::uint32_t fallback);
