// Turns the language files of data/texts into a C++ table compiled into the
// program.  Each input line is "n<TAB>text" (text n of the file's language);
// "#" starts a comment line; in the text, \t \n \r and \\ are escapes.
// The file name starts with the language index: "03_de.tsv" is language 3.
// Usage: gen_testi OUTPUT.cpp FILE...
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>
#include <filesystem>

namespace {

std::string Decodifica(const std::string& s) {
  std::string r;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      char c = s[++i];
      if (c == 't')
        r += '\t';
      else if (c == 'n')
        r += '\n';
      else if (c == 'r')
        r += '\r';
      else
        r += c;
    } else {
      r += s[i];
    }
  }
  return r;
}

std::string LetteraleC(const std::string& s) {
  std::string r = "\"";
  for (unsigned char c : s) {
    if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\' && c != '?') {
      r += static_cast<char>(c);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\%03o", c);
      r += buf;
    }
  }
  return r + "\"";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: gen_testi OUTPUT.cpp FILE...\n";
    return 2;
  }
  std::ostringstream out;
  out << "// Generated from data/texts by gen_testi: do not edit.\n"
         "#include \"core/testi_dati.h\"\n\n"
         "namespace core {\n\nconst VoceTesto kVociTesto[] = {\n";
  size_t conta = 0;
  for (int a = 2; a < argc; ++a) {
    std::filesystem::path p(argv[a]);
    std::string nome = p.filename().string();
    int lingua = std::atoi(nome.c_str());
    if (lingua < 0 || lingua > 14) {
      std::cerr << nome << ": language index out of range\n";
      return 1;
    }
    std::ifstream in(p);
    if (!in) {
      std::cerr << "cannot read " << p << "\n";
      return 1;
    }
    std::string riga;
    int nriga = 0;
    while (std::getline(in, riga)) {
      ++nriga;
      if (!riga.empty() && riga.back() == '\r') riga.pop_back();
      if (riga.empty() || riga[0] == '#') continue;
      auto tab = riga.find('\t');
      if (tab == std::string::npos) {
        std::cerr << nome << ":" << nriga << ": no tab\n";
        return 1;
      }
      int n = std::atoi(riga.substr(0, tab).c_str());
      // A block holds 200 ids: text numbers up to 199 stay inside it.
      if (n < 1 || n > 199) {
        std::cerr << nome << ":" << nriga << ": text number out of range\n";
        return 1;
      }
      int id = (2 * lingua + 1) * 100 + n;
      out << "  {" << id << ", " << LetteraleC(Decodifica(riga.substr(tab + 1))) << "},\n";
      ++conta;
    }
  }
  out << "};\n\nconst int kNumeroVociTesto = " << conta << ";\n\n}  // namespace core\n";
  std::string nuovo = out.str();
  // Rewrite only on change, so that an unchanged catalogue rebuilds nothing.
  std::ifstream vecchio(argv[1]);
  std::stringstream vs;
  vs << vecchio.rdbuf();
  if (vs.str() != nuovo) {
    std::ofstream o(argv[1]);
    o << nuovo;
  }
  return 0;
}
