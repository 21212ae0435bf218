// Labels of the source text export: identifiers every dialect reads as a plain label.

#include <algorithm>
#include <iterator>
#include <cctype>
#include <string>
#include <string_view>

#include "exchange/source_text.h"

namespace {

// Names an assembler of the family reads as something else, compared without case: a label
// at the start of a line that is a mnemonic assembles as the instruction in acme and 64tass,
// and register names are refused by ca65 and pasmo. All lower case.
constexpr std::string_view Mos6502Reserved[] = {
    // registers
    "a", "x", "y", "s", "z", "sp",
    // 6502
    "adc", "and", "asl", "bcc", "bcs", "beq", "bit", "bmi", "bne", "bpl", "brk", "bvc", "bvs", "clc", "cld", "cli",
    "clv", "cmp", "cpx", "cpy", "dec", "dex", "dey", "eor", "inc", "inx", "iny", "jmp", "jsr", "lda", "ldx", "ldy",
    "lsr", "nop", "ora", "pha", "php", "pla", "plp", "rol", "ror", "rti", "rts", "sbc", "sec", "sed", "sei", "sta",
    "stx", "sty", "tax", "tay", "tsx", "txa", "txs", "tya",
    // 65C02
    "bra", "phx", "phy", "plx", "ply", "stz", "trb", "tsb", "stp", "wai", "bbr0", "bbr1", "bbr2", "bbr3", "bbr4",
    "bbr5", "bbr6", "bbr7", "bbs0", "bbs1", "bbs2", "bbs3", "bbs4", "bbs5", "bbs6", "bbs7", "rmb0", "rmb1", "rmb2",
    "rmb3", "rmb4", "rmb5", "rmb6", "rmb7", "smb0", "smb1", "smb2", "smb3", "smb4", "smb5", "smb6", "smb7",
    // undocumented 6502 opcodes under their usual names
    "slo", "rla", "sre", "rra", "sax", "lax", "dcp", "isc", "isb", "anc", "alr", "asr", "arr", "ane", "xaa", "axs",
    "sbx", "ahx", "sha", "shy", "shx", "tas", "shs", "las", "lae", "lxa", "dop", "top", "jam", "kil", "hlt",
    // 65816 and 65CE02
    "brl", "cop", "jml", "jsl", "mvn", "mvp", "pea", "pei", "per", "phb", "phd", "phk", "plb", "pld", "rep", "rtl",
    "sep", "tcd", "tcs", "tdc", "tsc", "txy", "tyx", "wdm", "xba", "xce", "phz", "plz", "taz", "tza", "tab", "tba",
    "tsy", "tys", "neg", "map", "eom", "cle", "see"};

// Z80 registers, conditions, mnemonics, and the directives and operators of pasmo and z80asm.
constexpr std::string_view Z80Reserved[] = {
    // registers and conditions
    "a", "b", "c", "d", "e", "h", "l", "i", "r", "f", "af", "bc", "de", "hl", "ix", "iy", "sp", "ixh", "ixl", "iyh",
    "iyl", "xh", "xl", "yh", "yl", "hx", "lx", "hy", "ly", "nz", "z", "nc", "po", "pe", "p", "m",
    // mnemonics
    "adc", "add", "and", "bit", "call", "ccf", "cp", "cpd", "cpdr", "cpi", "cpir", "cpl", "daa", "dec", "di", "djnz",
    "ei", "ex", "exx", "halt", "im", "in", "inc", "ind", "indr", "ini", "inir", "jp", "jr", "ld", "ldd", "lddr",
    "ldi", "ldir", "neg", "nop", "or", "otdr", "otir", "out", "outd", "outi", "pop", "push", "res", "ret", "reti",
    "retn", "rl", "rla", "rlc", "rlca", "rld", "rr", "rra", "rrc", "rrca", "rrd", "rst", "sbc", "scf", "set", "sla",
    "sll", "sli", "sra", "srl", "sub", "xor",
    // directives and operators
    "org", "equ", "defb", "db", "defw", "dw", "defs", "ds", "defm", "dm", "defl", "incbin", "include", "if", "ifdef",
    "ifndef", "else", "endif", "end", "macro", "endm", "rept", "irp", "endr", "exitm", "local", "proc", "endp",
    "public", "seek", "defined", "eq", "ne", "lt", "le", "gt", "ge", "high", "low", "mod", "not", "nul", "shl",
    "shr"};

// C keywords up to C23, the C++ keywords a C++ file including the text would trip over,
// and main. Compared with case.
constexpr std::string_view CReserved[] = {
    "auto", "break", "case", "char", "const", "continue", "default", "do", "double", "else", "enum", "extern",
    "float", "for", "goto", "if", "inline", "int", "long", "register", "restrict", "return", "short", "signed",
    "sizeof", "static", "struct", "switch", "typedef", "union", "unsigned", "void", "volatile", "while", "bool",
    "true", "false", "nullptr", "alignas", "alignof", "constexpr", "static_assert", "thread_local", "typeof",
    "typeof_unqual", "asm", "catch", "class", "concept", "consteval", "constinit", "const_cast", "co_await",
    "co_return", "co_yield", "decltype", "delete", "dynamic_cast", "explicit", "export", "friend", "mutable",
    "namespace", "new", "noexcept", "operator", "private", "protected", "public", "reinterpret_cast", "requires",
    "static_cast", "template", "this", "throw", "try", "typeid", "typename", "using", "virtual", "wchar_t", "main"};

// Long enough for any sprite name, short enough for every assembler's symbol table.
constexpr std::size_t MaxLabelLength = 40;

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = char(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

template <std::size_t N>
bool Contains(const std::string_view (&words)[N], std::string_view word) {
  return std::find(std::begin(words), std::end(words), word) != std::end(words);
}

bool Reserved(const std::string& name, TSourceDialect dialect) {
  switch (dialect) {
    case TSourceDialect::Xa:
    case TSourceDialect::Ca65:
    case TSourceDialect::Acme:
    case TSourceDialect::Tass64:
    case TSourceDialect::Dasm: return Contains(Mos6502Reserved, Lower(name));
    case TSourceDialect::Pasmo:
    case TSourceDialect::Z80asm: return Contains(Z80Reserved, Lower(name));
    case TSourceDialect::C: return Contains(CReserved, name);
    case TSourceDialect::Basic: return false;
  }
  return false;
}

}  // namespace

std::string SourceLabel(std::string_view label, TSourceDialect dialect) {
  // Every run of other characters becomes one '_'; none at the ends.
  std::string name;
  bool gap = false;
  for (char c : label) {
    if (IsLetter(c) || IsDigit(c) || c == '_') {
      if (gap && !name.empty()) name += '_';
      gap = false;
      name += c;
    } else {
      gap = true;
    }
  }
  if (name.size() > MaxLabelLength) name.resize(MaxLabelLength);
  if (name.empty()) return "sprite";
  // A leading '_' makes a local label in 64tass and pasmo's autolocal mode, and a reserved
  // name in C when a capital or a second '_' follows; a digit starts no identifier.
  if (!IsLetter(name[0])) return "sprite" + std::string(name[0] == '_' ? "" : "_") + name;
  if (Reserved(name, dialect)) return "sprite_" + name;
  return name;
}

std::string LabelFromFileName(std::string_view path) {
  const auto slash = path.find_last_of("/\\");
  std::string_view base = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const auto dot = base.find_last_of('.');
  if (dot != std::string_view::npos && dot > 0) base = base.substr(0, dot);
  return SourceLabel(base, TSourceDialect::C);
}
