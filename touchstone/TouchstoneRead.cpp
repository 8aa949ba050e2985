// SPDX-License-Identifier: GPL-3.0-or-later
// The way in: the file name's port count, the version the first line tells,
// the refusal as a message naming the file and the line.
#include "TextScan.h"
#include "Touchstone.h"
#include "Versions.h"

#include <fstream>
#include <new>
#include <stdexcept>
#include <system_error>

namespace merivane::touchstone {

namespace {

std::string_view BaseName(std::string_view path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// ".sNp" in any case: the digits between "s" and "p"; nothing for another extension.
std::optional<std::string_view> SnpDigits(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return std::nullopt;
    const std::string_view ext = name.substr(dot + 1);
    if (ext.size() < 3 || (ext.front() != 's' && ext.front() != 'S') || (ext.back() != 'p' && ext.back() != 'P'))
        return std::nullopt;
    return ext.substr(1, ext.size() - 2);
}

TNetwork ReadAny(std::string_view bytes, std::string_view name)
{
    const std::optional<int> ports = PortsFromFileName(name);
    TLineScanner lines(bytes);
    TLine first;
    bool any = false;
    while (!any && lines.Next(first)) any = !Trim(first.text).empty();
    if (!any) Refuse(0, "network data were expected, the file holds none");
    const std::string_view text = Trim(first.text);
    if (text[0] == '[' && KeywordOf(text, first.number).name == "version") return ReadVersion2(lines, first, ports);
    if (ports && *ports > 0) return ReadVersion1(lines, first, *ports);
    if (ports) Refuse(first.number, "[Version] was expected on the first line of a .ts file");
    if (const auto digits = SnpDigits(name); digits && ParseCount(*digits, 1LL << 60).has_value())
        Refuse(0, "a port count from 1 to " + std::to_string(kMaxPorts) + " was expected in the file name, " +
                      Quoted(name) + " was found");
    Refuse(0, "a file name ending in .sNp (N the port count) or a version 2 file was expected, " + Quoted(name) +
                  " was found");
}

TReadResult Refused(std::string_view name, int line, const std::string& message)
{
    TReadResult result;
    result.line = line;
    result.error = std::string(name);
    if (line > 0) result.error += ", line " + std::to_string(line);
    result.error += ": " + message;
    return result;
}

}  // namespace

std::optional<int> PortsFromFileName(std::string_view fileName)
{
    const std::string_view name = BaseName(fileName);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos && EqualsNoCase(name.substr(dot), ".ts")) return 0;
    const std::optional<std::string_view> digits = SnpDigits(name);
    if (!digits) return std::nullopt;
    const std::optional<long long> n = ParseCount(*digits, kMaxPorts);
    if (!n || *n < 1) return std::nullopt;
    return static_cast<int>(*n);
}

TReadResult ReadTouchstone(std::string_view bytes, std::string_view fileName)
{
    const std::string_view name = BaseName(fileName);
    try {
        TReadResult result;
        result.network = ReadAny(bytes, name);
        return result;
    } catch (const TLineError& e) {
        return Refused(name, e.line, e.message);
    } catch (const std::bad_alloc&) {
        return Refused(name, 0, "the file is too large to be read into memory");
    } catch (const std::length_error&) {
        return Refused(name, 0, "the file is too large to be read into memory");
    }
}

TReadResult ReadTouchstoneFile(const std::filesystem::path& path)
{
    const std::string name = path.filename().string();
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) return Refused(name, 0, "the file could not be read: " + ec.message());
    if (size > kMaxFileBytes) {
        return Refused(name, 0, "a file of at most 256 MB was expected, one of " + std::to_string(size) +
                                    " bytes was found");
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(size))) {
        return Refused(name, 0, "the file could not be read");
    }
    return ReadTouchstone(bytes, name);
}

}  // namespace merivane::touchstone
