// What the pages share: the URL fragment's options, the tools' number forms,
// and showing a failure on the page.
"use strict";
var Pages = {
  dayMs: 24 * 3600 * 1000,
  // Loads the module (the one file carrying its WebAssembly when the page is
  // opened from disk, the .js with its .wasm from a server) and resolves to it.
  instruments: function () {
    return new Promise(function (resolve, reject) {
      var script = document.createElement("script");
      script.src = location.protocol === "file:" ? "instruments.js" : "instruments-split.js";
      script.onload = function () {
        instruments.ready.then(resolve, reject);
      };
      script.onerror = function () {
        reject(new Error("cannot load " + script.src));
      };
      document.head.appendChild(script);
    });
  },
  // "#a=1&b=two" as {a: "1", b: "two"}, each value URL-decoded.
  fragment: function () {
    var options = {};
    location.hash.replace(/^#/, "").split("&").forEach(function (part) {
      if (!part) {
        return;
      }
      var at = part.indexOf("=");
      var name = decodeURIComponent(at < 0 ? part : part.slice(0, at));
      options[name] = at < 0 ? "" : decodeURIComponent(part.slice(at + 1).replace(/\+/g, " "));
    });
    return options;
  },
  // "HH:MM:SS" or "HH:MM:SS.mmm" as milliseconds after midnight, or null.
  parseTime: function (text) {
    var match = /^(\d\d):(\d\d):(\d\d)(?:\.(\d{1,3}))?$/.exec(text);
    if (!match || +match[1] > 23 || +match[2] > 59 || +match[3] > 59) {
      return null;
    }
    var fraction = match[4] ? +(match[4] + "00").slice(0, 3) : 0;
    return ((+match[1] * 60 + +match[2]) * 60 + +match[3]) * 1000 + fraction;
  },
  // A whole number of up to nine digits, or null.
  parseCount: function (text) {
    return /^\d{1,9}$/.test(text) ? +text : null;
  },
  fail: function (error) {
    var status = document.getElementById("status");
    if (status) {
      status.textContent = String(error && error.message ? error.message : error);
      status.className = "error";
    }
    document.body.dataset.failed = "1";
  }
};
