#include "cli_arguments.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>
#include <map>

#include "document/editor_state.h"

namespace {

const std::map<std::string, TByteMode> ModeNames{{"6", bm6BitReversed}, {"8", bmClassic8}};
const std::map<std::string, TDataOrder> OrderNames{
    {"rows", doByRows}, {"columns", doByColumns}, {"rows-zigzag", doByRowsZigZag}, {"columns-zigzag", doByColumnsZigZag}};
const std::map<std::string, TMaskArrangement> MaskNames{
    {"mask-byte-first", maMaskByteFirst},   {"data-byte-first", maDataByteFirst}, {"whole-mask-first", maWholeMaskFirst},
    {"whole-data-first", maWholeDataFirst}, {"mask-line-first", maMaskLineFirst}, {"data-line-first", maDataLineFirst}};
const std::map<std::string, TImageLayout> LayoutNames{{"planes", TImageLayout::Planes}, {"alpha", TImageLayout::Alpha}};
const std::map<std::string, bool> InkNames{{"light", false}, {"dark", true}};
const std::map<std::string, TNumberBase> RadixNames{
    {"hex", TNumberBase::Hex}, {"dec", TNumberBase::Decimal}, {"bin", TNumberBase::Binary}};

template <class T>
std::vector<std::string> Keys(const std::map<std::string, T>& names) {
  std::vector<std::string> keys;
  for (const auto& [key, value] : names) keys.push_back(key);
  return keys;
}

// RRGGBB, six hex digits, with or without a leading '#'.
bool ParseColor(std::string text, std::uint32_t& color) {
  if (!text.empty() && text[0] == '#') text.erase(0, 1);
  if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
  color = std::uint32_t(std::stoul(text, nullptr, 16));
  return true;
}

const CLI::Validator ColorCheck(
    [](std::string& text) {
      std::uint32_t color = 0;
      return ParseColor(text, color) ? std::string() : "not a colour RRGGBB: " + text;
    },
    "RRGGBB");

// WxH, each 0 .. 4096 (0: the whole image's width or height).
bool ParseCell(const std::string& text, int& width, int& height) {
  const std::size_t x = text.find_first_of("xX");
  if (x == std::string::npos || x == 0 || x + 1 == text.size() || x > 4 || text.size() - x - 1 > 4) return false;
  if (text.find_first_not_of("0123456789", 0) != x || text.find_first_not_of("0123456789", x + 1) != std::string::npos)
    return false;
  width = std::stoi(text.substr(0, x));
  height = std::stoi(text.substr(x + 1));
  return width <= 4096 && height <= 4096;
}

const CLI::Validator CellCheck(
    [](std::string& text) {
      int w = 0, h = 0;
      return ParseCell(text, w, h) ? std::string() : "not a cell size WxH (0 .. 4096 each): " + text;
    },
    "WxH");

// The strings of the options that are mapped to values once parsing is done.
struct TChoices {
  std::string Mode, Order, Mask, Radix, Layout, InLayout, Ink, InInk, Background, Cell;
  int Attr = -1, Width = -1, Height = -1;
};

void AddFormatOptions(CLI::App& command, TChoices& c, bool size) {
  command.add_option("--mode", c.Mode, "byte mode: 6 (6 bit reversed + hi 2 bit zeros) or 8 (classic 8 bit)")
      ->check(CLI::IsMember(Keys(ModeNames)));
  command.add_option("--order", c.Order, "order sequence")->check(CLI::IsMember(Keys(OrderNames)));
  std::vector<std::string> masks = Keys(MaskNames);
  masks.push_back("off");
  command.add_option("--mask", c.Mask, "mask arrangement, or off for no mask")->check(CLI::IsMember(masks));
  command.add_option("--attr", c.Attr, "bits 7 and 6 of a 6-bit mask byte, 0 (00) .. 3 (11)")->check(CLI::Range(0, 3));
  if (size) {
    command.add_option("--width", c.Width, "sprite width, a multiple of the byte mode's pixels")
        ->check(CLI::Range(1, MaxSide));
    command.add_option("--height", c.Height, "sprite height, 1 .. 240")->check(CLI::Range(1, MaxSide));
  }
}

void AddImageInOptions(CLI::App& command, TChoices& c, TPngImportOptions& in, const std::string& prefix) {
  command.add_option("--cell", c.Cell, "a PNG input's cell size WxH; 0 takes the whole image (default 0x0)")
      ->check(CellCheck);
  command.add_option("--" + prefix + "spacing", in.Spacing, "pixels between a PNG input's cells, 0 .. 64")
      ->check(CLI::Range(0, MaxSheetSpacing));
  command.add_option("--" + prefix + "layout", c.InLayout, "a PNG input's layout: alpha (default) or planes")
      ->check(CLI::IsMember(Keys(LayoutNames)));
  command.add_option("--" + prefix + "ink", c.InInk, "a PNG input's ink: light (default) or dark")
      ->check(CLI::IsMember(Keys(InkNames)));
}

void MapChoices(const TChoices& c, TCliRequest& r) {
  TSettingsOverrides& o = r.Overrides;
  if (!c.Mode.empty()) o.ByteMode = ModeNames.at(c.Mode);
  if (!c.Order.empty()) o.Order = OrderNames.at(c.Order);
  if (c.Mask == "off") {
    o.Masked = false;
  } else if (!c.Mask.empty()) {
    o.Masked = true;
    o.Arrangement = MaskNames.at(c.Mask);
  }
  if (c.Attr >= 0) o.AttrChoice = c.Attr;
  if (c.Width >= 0) o.Width = c.Width;
  if (c.Height >= 0) o.Height = c.Height;
  if (!c.Radix.empty()) r.Export.Source.Base = RadixNames.at(c.Radix);
  if (!c.Layout.empty()) r.Export.Png.Layout = LayoutNames.at(c.Layout);
  if (!c.InLayout.empty()) r.ImageIn.Layout = LayoutNames.at(c.InLayout);
  if (!c.InInk.empty()) r.ImageIn.DarkInk = InkNames.at(c.InInk);
  if (!c.Ink.empty()) {
    ParseColor(c.Ink, r.Export.Png.Ink);
    r.Export.Gif.Ink = r.Export.Png.Ink;
  }
  if (!c.Background.empty()) ParseColor(c.Background, r.Export.Gif.Background);
  if (!c.Cell.empty()) ParseCell(c.Cell, r.ImageIn.CellWidth, r.ImageIn.CellHeight);
}

}  // namespace

std::string UsageLine(TCommand command) {
  switch (command) {
    case TCommand::Info: return "Usage: deduzu-sprite info FILE.sprite [--json]";
    case TCommand::Export: return "Usage: deduzu-sprite export FILE -o OUT [--format FORMAT] [options]";
    case TCommand::Import: return "Usage: deduzu-sprite import IN -o OUT.sprite [options]";
  }
  return {};
}

TParsedArguments ParseArguments(int argc, const char* const* argv) {
  TParsedArguments parsed;
  TCliRequest& r = parsed.Request;
  TChoices c;

  CLI::App app{"Monochrome sprites of 8-bit home computers from the command line: project files of the Deduzu "
               "Sprite Editor to raw data, source text or images, and raw data or PNG images to project files.",
               "deduzu-sprite"};
  app.set_version_flag("--version", std::string("deduzu-sprite ") + ProgramVersion());
  app.require_subcommand(1);

  CLI::App* info = app.add_subcommand("info", "print a project's settings and the size of its raw export");
  info->add_option("FILE", r.Input, "the project file; - reads standard input")->required();
  info->add_flag("--json", r.Json, "print one JSON object");

  CLI::App* exp = app.add_subcommand("export", "write a project's (or a PNG's) frames as raw data, source or an image");
  exp->add_option("FILE", r.Input, "a project file or a PNG image; - reads standard input")->required();
  exp->add_option("-o,--output", r.Output, "the output file; - writes standard output")->required();
  exp->add_option("--format", r.FormatName,
                  "raw, xa, ca65, acme, 64tass, dasm, pasmo, z80asm, c, basic, png or gif; without it the output's "
                  "extension decides (.bin .dat .c .h .bas .png .gif)")
      ->check(CLI::IsMember({"raw", "xa", "ca65", "acme", "64tass", "dasm", "pasmo", "z80asm", "c", "basic", "png",
                             "gif"}));
  AddFormatOptions(*exp, c, true);
  exp->add_option("--frames", r.Frames, "frames A-B (1-based, inclusive) or a single frame A");
  auto& source = r.Export.Source;
  source.Label.clear();
  exp->add_option("--label", source.Label, "source label (default: from the output's file name)");
  exp->add_option("--per-line", source.ValuesPerLine, "source values per line, 1 .. 256")->check(CLI::Range(1, 256));
  exp->add_option("--radix", c.Radix, "source numbers: hex, dec or bin")->check(CLI::IsMember(Keys(RadixNames)));
  exp->add_option("--basic-line", source.BasicFirstLine, "first BASIC line number, 0 .. 63999")
      ->check(CLI::Range(0, 63999));
  exp->add_option("--basic-step", source.BasicStep, "BASIC line number step, 1 .. 1000")->check(CLI::Range(1, 1000));
  exp->add_flag("--frame-labels", source.FrameLabels, "source label before each frame");
  bool noComments = false;
  exp->add_flag("--no-comments", noComments, "no comment block and no comment before each frame");
  exp->add_option("--layout", c.Layout, "PNG output layout: planes (default) or alpha")
      ->check(CLI::IsMember(Keys(LayoutNames)));
  exp->add_option("--columns", r.Export.Png.Sheet.Columns, "PNG frames per row, 0 .. 128 (0: one row)")
      ->check(CLI::Range(0, MaxFrames));
  exp->add_option("--spacing", r.Export.Png.Sheet.Spacing, "PNG pixels between cells, 0 .. 64")
      ->check(CLI::Range(0, MaxSheetSpacing));
  exp->add_option("--ink", c.Ink, "ink colour RRGGBB of the alpha PNG and the GIF")->check(ColorCheck);
  exp->add_option("--delay", r.Export.Gif.DelayCentiseconds, "GIF frame time in 1/100 s, 1 .. 1000")
      ->check(CLI::Range(1, 1000));
  exp->add_option("--scale", r.Export.Gif.Scale, "GIF scale, 1 .. 8")->check(CLI::Range(1, MaxGifScale));
  exp->add_option("--background", c.Background, "GIF background colour RRGGBB")->check(ColorCheck);
  AddImageInOptions(*exp, c, r.ImageIn, "in-");

  CLI::App* imp = app.add_subcommand("import", "make a project file from raw data or a PNG image");
  imp->add_option("IN", r.Input, "raw data or a PNG image; - reads standard input")->required();
  imp->add_option("-o,--output", r.Output, "the project file; - writes standard output")->required();
  AddFormatOptions(*imp, c, true);
  AddImageInOptions(*imp, c, r.ImageIn, "");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) {
      parsed.Status = app.exit(e);
      return parsed;
    }
    const bool unknownCommand = !info->parsed() && !exp->parsed() && !imp->parsed() && argc > 1 && argv[1][0] != '-';
    // CLI11 reports a mistyped command only as a missing one.
    if (unknownCommand) std::fprintf(stderr, "deduzu-sprite: unknown command: %s\n", argv[1]);
    else std::fprintf(stderr, "deduzu-sprite: %s\n", e.what());
    if (info->parsed()) std::fprintf(stderr, "%s\n", UsageLine(TCommand::Info).c_str());
    else if (exp->parsed()) std::fprintf(stderr, "%s\n", UsageLine(TCommand::Export).c_str());
    else if (imp->parsed()) std::fprintf(stderr, "%s\n", UsageLine(TCommand::Import).c_str());
    else std::fprintf(stderr, "Usage: deduzu-sprite info|export|import ... (see deduzu-sprite --help)\n");
    parsed.Status = ExitUsage;
    return parsed;
  }
  r.Command = info->parsed() ? TCommand::Info : exp->parsed() ? TCommand::Export : TCommand::Import;
  if (noComments) source.HeaderComment = source.FrameComments = false;
  MapChoices(c, r);
  parsed.Run = true;
  return parsed;
}
