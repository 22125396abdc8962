#include "import/QuakeMlReader.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <pugixml.hpp>

#include "import/CivilTime.h"
#include "import/TextFields.h"
#include "platform/SjisConvert.h"

namespace kavelo::import {

namespace {
// Element names without their namespace prefix ("q:quakeml" is "quakeml").
std::string_view localName(const pugi::xml_node& n) {
    std::string_view name = n.name();
    std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node child(const pugi::xml_node& n, std::string_view name) {
    for (auto c = n.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && localName(c) == name) return c;
    return {};
}

std::string_view text(const pugi::xml_node& n) {
    return trim(n.child_value());
}

// The number in <name><value>...</value></name>.
std::optional<double> quantity(const pugi::xml_node& parent, std::string_view name) {
    auto q = child(parent, name);
    if (!q) return std::nullopt;
    return parseDecimal(text(child(q, "value")));
}

// The child element of that name whose publicID is id; the first one when id is empty
// or names none of them.
pugi::xml_node pick(const pugi::xml_node& event, std::string_view name, std::string_view id,
                    std::string_view originId = {}) {
    pugi::xml_node first, ofOrigin;
    for (auto c = event.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element || localName(c) != name) continue;
        if (!id.empty() && trim(c.attribute("publicID").value()) == id) return c;
        if (!first) first = c;
        if (!ofOrigin && !originId.empty() && text(child(c, "originID")) == originId) ofOrigin = c;
    }
    return ofOrigin ? ofOrigin : first;
}

std::size_t lineAt(std::string_view bytes, std::ptrdiff_t offset) {
    if (offset < 0) return 0;
    const auto end =
        bytes.begin() + std::min<std::size_t>(static_cast<std::size_t>(offset), bytes.size());
    return static_cast<std::size_t>(std::count(bytes.begin(), end, '\n')) + 1;
}

// Line numbers of increasing offsets, counting each stretch of the buffer once.
class LineCounter {
  public:
    explicit LineCounter(std::string_view bytes) : bytes_(bytes) {}
    std::size_t at(std::ptrdiff_t offset) {
        if (offset < 0) return 0;
        const std::size_t o =
            std::min<std::size_t>(static_cast<std::size_t>(offset), bytes_.size());
        if (o < pos_) return lineAt(bytes_, offset);
        line_ +=
            static_cast<std::size_t>(std::count(bytes_.begin() + pos_, bytes_.begin() + o, '\n'));
        pos_ = o;
        return line_;
    }

  private:
    std::string_view bytes_;
    std::size_t pos_ = 0, line_ = 1;
};

// A Japanese region name from the event's descriptions, in Shift-JIS.
std::string regionName(const pugi::xml_node& event) {
    for (auto d = event.first_child(); d; d = d.next_sibling()) {
        if (d.type() != pugi::node_element || localName(d) != "description") continue;
        if (text(child(d, "type")) != "region name") continue;
        std::string_view t = text(child(d, "text"));
        if (!hasNonAscii(t)) continue;
        if (auto sjis = utf8ToSjis(t)) return *sjis;
    }
    return {};
}
}  // namespace

int QuakeMlReader::recognise(std::string_view head) const {
    std::size_t i = head.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    while (i < head.size() &&
           (head[i] == ' ' || head[i] == '\t' || head[i] == '\r' || head[i] == '\n'))
        ++i;
    if (i >= head.size() || head[i] != '<') return 0;
    const std::string_view rest = head.substr(i, 4096);
    if (rest.find("quakeml") != std::string_view::npos ||
        rest.find("eventParameters") != std::string_view::npos)
        return 95;
    return 0;
}

ReadResult QuakeMlReader::read(std::string_view bytes, const ReadOptions& options) const {
    ReadResult res;
    pugi::xml_document doc;
    // No DTD or entity processing beyond the predefined entities: nothing outside the
    // buffer is ever read.
    const pugi::xml_parse_result parsed =
        doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_auto);
    if (!parsed) {
        res.error = std::string("not well-formed XML at line ") +
                    std::to_string(lineAt(bytes, parsed.offset)) + ": " + parsed.description();
        return res;
    }
    pugi::xml_node root = doc.document_element();
    pugi::xml_node params =
        localName(root) == "eventParameters" ? root : child(root, "eventParameters");
    if (localName(root) != "quakeml" && localName(root) != "eventParameters") {
        res.error =
            "the document is not QuakeML (its root element is <" + std::string(root.name()) + ">)";
        return res;
    }
    res.linesRead = lineAt(bytes, static_cast<std::ptrdiff_t>(bytes.size()));
    LineCounter lines(bytes);
    for (auto ev = params.first_child(); ev; ev = ev.next_sibling()) {
        if (ev.type() != pugi::node_element || localName(ev) != "event") continue;
        const std::size_t line = lines.at(ev.offset_debug());
        if (text(child(ev, "type")) == "not existing") {
            ++res.ignored["event of type 'not existing'"];
            continue;
        }
        const std::string_view eventId = trim(ev.attribute("publicID").value());
        auto fail = [&](const std::string& why) {
            return res.problem(line, "event " + quoted(eventId, 80) + ": " + why, options);
        };
        pugi::xml_node origin = pick(ev, "origin", text(child(ev, "preferredOriginID")));
        if (!origin) {
            if (fail("has no origin")) break;
            continue;
        }
        SourceEvent out;
        out.utc = true;
        out.line = line;
        out.eventType = std::string(trim(text(child(ev, "type"))));
        std::string why = parseIsoTime(text(child(child(origin, "time"), "value")), out.time);
        if (!why.empty()) {
            if (fail("origin " + why)) break;
            continue;
        }
        auto lat = quantity(origin, "latitude"), lon = quantity(origin, "longitude");
        if (!lat || *lat < -90 || *lat > 90 || !lon || *lon < -180 || *lon > 360) {
            if (fail("origin has no latitude and longitude in degrees")) break;
            continue;
        }
        out.setPosition(*lat, *lon > 180 ? *lon - 360 : *lon);
        if (child(origin, "depth")) {
            auto metres = quantity(origin, "depth");
            if (!metres || std::fabs(*metres) > 1e7) {
                if (fail("origin depth is not a number of metres")) break;
                continue;
            }
            out.depthKm = *metres / 1000.0;
        }
        const std::string_view originId = trim(origin.attribute("publicID").value());
        pugi::xml_node magnitude =
            pick(ev, "magnitude", text(child(ev, "preferredMagnitudeID")), originId);
        if (magnitude) {
            auto m = quantity(magnitude, "mag");
            if (!m || std::fabs(*m) > 20) {
                if (fail("magnitude is not a number")) break;
                continue;
            }
            out.mag = *m;
        }
        out.origin = regionName(ev);
        res.events.push_back(std::move(out));
        if (options.progress && res.events.size() % 20000 == 0)
            options.progress(static_cast<std::size_t>(ev.offset_debug()), bytes.size());
    }
    if (!res.stopped && options.progress) options.progress(bytes.size(), bytes.size());
    return res;
}

ReadResult readQuakeMl(std::string_view bytes, const ReadOptions& options) {
    return QuakeMlReader().read(bytes, options);
}

}  // namespace kavelo::import
