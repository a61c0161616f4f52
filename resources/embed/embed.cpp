// Turns resource files into C++ byte arrays plus an index, so the program carries its language
// table, skins and images inside itself and never depends on files installed beside it.
//
// usage: sonvia_embed OUT_DIR ROOT FILE...
//   writes OUT_DIR/res_N.cpp for every FILE and OUT_DIR/index.cpp naming each by its path
//   relative to ROOT.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

static bool writeIfChanged(const std::string& path, const std::string& text) {
  std::ifstream old(path, std::ios::binary);
  if (old) {
    std::string have((std::istreambuf_iterator<char>(old)), std::istreambuf_iterator<char>());
    if (have == text) return true;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out);
}

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: sonvia_embed OUT_DIR ROOT FILE...\n");
    return 2;
  }
  std::string outDir = argv[1];
  std::string root = argv[2];
  if (!root.empty() && root.back() != '/') root += '/';
  std::string index =
      "#include \"resources/Resource.h\"\n#include <cstddef>\nnamespace res {\n";
  std::string table;
  for (int i = 3; i < argc; ++i) {
    std::string file = argv[i];
    std::ifstream in(file, std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "sonvia_embed: cannot read %s\n", file.c_str());
      return 1;
    }
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    std::string name = file.rfind(root, 0) == 0 ? file.substr(root.size()) : file;
    std::string sym = "res_" + std::to_string(i - 3);
    std::string text = "#include <cstddef>\nnamespace res {\nextern const unsigned char " + sym +
                       "[];\nconst unsigned char " + sym + "[] = {";
    char buf[8];
    for (std::size_t k = 0; k < bytes.size(); ++k) {
      if (k % 24 == 0) text += "\n";
      std::snprintf(buf, sizeof buf, "%u,", bytes[k]);
      text += buf;
    }
    text += "0};\n}\n";  // the trailing zero lets text resources be read as C strings
    if (!writeIfChanged(outDir + "/" + sym + ".cpp", text)) {
      std::fprintf(stderr, "sonvia_embed: cannot write into %s\n", outDir.c_str());
      return 1;
    }
    index += "extern const unsigned char " + sym + "[];\n";
    table += "  {\"" + name + "\", " + sym + ", " + std::to_string(bytes.size()) + "},\n";
  }
  // Declared extern first: a namespace-scope const array would otherwise have internal linkage
  // and Resource.cpp could not link against it.
  index += "extern const Resource kResources[];\nconst Resource kResources[] = {\n" + table +
           "  {nullptr, nullptr, 0}\n};\n}\n";
  return writeIfChanged(outDir + "/index.cpp", index) ? 0 : 1;
}
