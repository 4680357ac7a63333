#include "map/map_page.h"

#include "map/route_file.h"
#include "map/target_pos_file.h"
#include "map/text_mode_file.h"

namespace {

const char kHead[] =
    "<!DOCTYPE html>\n"
    "<html>\n"
    "  <head>\n"
    "    <meta name=\"viewport\" content=\"initial-scale=1.0, user-scalable=no\">\n"
    "    <meta charset=\"utf-8\" http-equiv=\"X-UA-Compatible\" content=\"IE=edge\">\n"
    "    <style type=\"text/css\">\n"
    "      html { height: 100% }\n"
    "      body { height: 100%; margin: 0px; padding: 0px }\n"
    "      #mymap { height: 100% }\n"
    "    </style>\n";

const char kScript[] =
    "    <script type=\"text/javascript\">\n"
    "      var map;\n"
    "      var CarMarker;\n"
    "      var vPreLat = 0;\n"
    "      var vPreLng = 0;\n"
    "\n"
    "      function Initialize() {\n"
    "        LoadTargetPos(function () {\n"
    "          vPreLat = TARGET_POS.lat;\n"
    "          vPreLng = TARGET_POS.lng;\n"
    "          map = new google.maps.Map(document.getElementById(\"mymap\"), {\n"
    "            zoom: 17,\n"
    "            center: { lat: vPreLat, lng: vPreLng },\n"
    "            mapTypeId: google.maps.MapTypeId.ROADMAP,\n"
    "            disableDefaultUI: true\n"
    "          });\n"
    "          SetLinePath();\n"
    "          CarMarker = new google.maps.Marker({\n"
    "            position: { lat: vPreLat, lng: vPreLng },\n"
    "            map: map\n"
    "          });\n"
    "          TargetPosUpdate();\n"
    "        });\n"
    "      }\n"
    "\n"
    "      function SetLinePath() {\n"
    "        if (typeof LINE_PATH === \"undefined\") return;\n"
    "        var path = [];\n"
    "        for (var i = 0; i < LINE_PATH.length; i++)\n"
    "          path.push(new google.maps.LatLng(LINE_PATH[i].lat, LINE_PATH[i].lng));\n"
    "        new google.maps.Polyline({\n"
    "          path: path,\n"
    "          strokeColor: \"#0033FF\",\n"
    "          strokeOpacity: 1.0,\n"
    "          strokeWeight: 5,\n"
    "          map: map\n"
    "        });\n"
    "      }\n"
    "\n"
    // The next round is scheduled whether or not the file loads, so a position
    // file caught half-written only costs one second.
    "      function TargetPosUpdate() {\n"
    "        LoadTargetPos(function () {\n"
    "          if (TARGET_POS.lat != vPreLat || TARGET_POS.lng != vPreLng) {\n"
    "            var pos = { lat: TARGET_POS.lat, lng: TARGET_POS.lng };\n"
    "            map.panTo(pos);\n"
    "            CarMarker.setPosition(pos);\n"
    "            vPreLat = TARGET_POS.lat;\n"
    "            vPreLng = TARGET_POS.lng;\n"
    "            google.maps.event.clearInstanceListeners(window);\n"
    "            google.maps.event.clearInstanceListeners(document);\n"
    "            google.maps.event.clearInstanceListeners(document.getElementById(\"mymap\"));\n"
    "          }\n"
    "        });\n"
    "        setTimeout(\"TargetPosUpdate()\", 1000);\n"
    "      }\n"
    "\n"
    "      function LoadTargetPos(func) {\n"
    "        if (document.head) {\n"
    "          var old = document.getElementById(\"TARGET_POS\");\n"
    "          if (old) old.parentNode.removeChild(old);\n"
    "          var elem = document.createElement(\"script\");\n"
    "          elem.id = \"TARGET_POS\";\n"
    "          elem.type = \"text/javascript\";\n";

const char kTail[] =
    "          elem.onload = function () {\n"
    "            console.warn(\"loadend:\" + TARGET_POS.lat + \",\" + TARGET_POS.lng);\n"
    "            if (typeof func !== \"undefined\") func();\n"
    "          };\n"
    "          document.head.appendChild(elem);\n"
    "        }\n"
    "      }\n"
    "    </script>\n"
    "  </head>\n"
    "  <body>\n"
    "    <div id=\"mymap\"></div>\n"
    "    <input type=\"hidden\" id=\"CenterLatValue\">\n"
    "    <input type=\"hidden\" id=\"CenterLngValue\">\n"
    "    <input type=\"hidden\" id=\"CurrZoom\">\n"
    "  </body>\n"
    "</html>\n";

}  // namespace

std::string DoubleBackslashes(const std::string& path) {
  std::string out;
  out.reserve(path.size() + 8);
  for (char c : path) {
    out += c;
    if (c == '\\') out += '\\';
  }
  return out;
}

std::string MakeMapPage(const MapScript& script, const std::string& routePath,
                        const std::string& targetPosPath) {
  std::string page = kHead;
  page += "    <script async defer type=\"text/javascript\" src=\"" + script.address;
  page += script.address.find('?') == std::string::npos ? '?' : '&';
  page += "callback=Initialize&key=" + script.key + "\"></script>\n";
  page += "    <script src=\"" + DoubleBackslashes(routePath) + "\"></script>\n";
  page += kScript;
  page += "          elem.src = \"" + DoubleBackslashes(targetPosPath) + "\";\n";
  page += kTail;
  return page;
}

bool WriteMapPage(const std::string& folder, const MapScript& script) {
  return WriteTextModeFile(folder + kMapPageFileName, MakeMapPage(script, folder + kRouteFileName,
                                                                  folder + kTargetPosFileName));
}
