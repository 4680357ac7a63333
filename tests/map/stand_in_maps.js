// A stand-in for the map provider's script: the same names under google.maps,
// no drawing, and every call recorded in window.mapCalls for the test to read.
(function () {
  "use strict";
  var calls = (window.mapCalls = []);
  var plain = function (p) {
    if (p && typeof p.lat === "function") return { lat: p.lat(), lng: p.lng() };
    return p ? { lat: p.lat, lng: p.lng } : p;
  };
  var nameOf = function (target) {
    if (target === window) return "window";
    if (target === document) return "document";
    return target && target.id ? "#" + target.id : String(target);
  };

  function LatLng(lat, lng) {
    this.lat = function () { return lat; };
    this.lng = function () { return lng; };
  }
  function Map(element, options) {
    calls.push({ call: "Map", element: nameOf(element), zoom: options.zoom,
                 center: plain(options.center), mapTypeId: options.mapTypeId,
                 disableDefaultUI: options.disableDefaultUI });
    this.panTo = function (p) { calls.push({ call: "Map.panTo", position: plain(p) }); };
  }
  function Marker(options) {
    calls.push({ call: "Marker", position: plain(options.position),
                 onMap: options.map instanceof Map });
    this.setPosition = function (p) {
      calls.push({ call: "Marker.setPosition", position: plain(p) });
    };
  }
  function Polyline(options) {
    calls.push({ call: "Polyline", path: (options.path || []).map(plain),
                 strokeColor: options.strokeColor, strokeOpacity: options.strokeOpacity,
                 strokeWeight: options.strokeWeight, onMap: options.map instanceof Map });
  }
  var maps = {
    LatLng: LatLng, Map: Map, Marker: Marker, Polyline: Polyline,
    MapTypeId: { ROADMAP: "roadmap" },
    event: {
      clearInstanceListeners: function (target) {
        calls.push({ call: "event.clearInstanceListeners", target: nameOf(target) });
      }
    }
  };
  // Anything the page asks for that is not here is recorded too.
  window.google = {
    maps: new Proxy(maps, {
      get: function (target, name) {
        if (!(name in target)) calls.push({ call: "unknown", name: String(name) });
        return target[name];
      }
    })
  };

  // Like the provider's script: call the ready callback named in the query,
  // once the page has defined it.
  var src = document.currentScript ? document.currentScript.src : "";
  var callback = new URL(src).searchParams.get("callback");
  calls.push({ call: "script", callback: callback, key: new URL(src).searchParams.get("key") });
  var ready = function () { window[callback](); };
  if (document.readyState === "loading") document.addEventListener("DOMContentLoaded", ready);
  else setTimeout(ready, 0);
})();
