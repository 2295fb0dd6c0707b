// The page's view of the module: `instruments.ready` resolves to it once the
// WebAssembly has started, and every class is then on `instruments` as well.
// Each instrument gains paintTo(canvas, x, y), and the LCD module state().
var instruments = (function () {
  var api = {};
  function camel(name) {
    return name.replace(/_([a-z])/g, function (_, letter) { return letter.toUpperCase(); });
  }
  function extend(module) {
    var painted = ["TextDisplay", "AnalogClock", "LevelMeter", "Switch", "SegmentDisplay", "BarGraph",
                   "Lamp", "CharacterLcd", "DemoPanel"];
    painted.forEach(function (name) {
      module[name].prototype.paintTo = function (canvas, x, y) {
        var image = this.render();
        canvas.getContext("2d").putImageData(image, x || 0, y || 0);
        return image;
      };
    });
    // The controller's state, as instruments-lcd --dump gives it, with camelCase names.
    module.CharacterLcd.prototype.state = function () {
      var dump = JSON.parse(this.stateJson());
      var state = {};
      Object.keys(dump).forEach(function (key) { state[camel(key)] = dump[key]; });
      return state;
    };
    Object.keys(module).forEach(function (key) {
      if (!(key in api)) {
        api[key] = module[key];
      }
    });
    api.module = module;
    return module;
  }
  api.ready = createInstrumentsModule().then(extend);
  return api;
})();
if (typeof module === "object" && module.exports) {
  module.exports = instruments;
}
