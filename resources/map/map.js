// Lumetra's map page. The program drives it through the eight functions at the end;
// the page answers through "handler://" callbacks: CMD0 a message, CMD1 a POI marker
// moved, CMD2 a position picked, CMD3 a POI marker chosen.
(function () {
    "use strict";

    // Everything the page takes from outside, in one place.
    var config = {
        tileUrl: "https://tile.openstreetmap.org/{z}/{x}/{y}.png",
        tileCredit: "<a href=\"https://www.openstreetmap.org/copyright\">OpenStreetMap</a>",
        tileMaxZoom: 19,
        geocoderUrl: "https://nominatim.openstreetmap.org/search",
        startCenter: [42.5, 12.5],
        startZoom: 6,
        pointZoom: 15,
        fitMaxZoom: 16,
        dragThreshold: 4
    };

    // The texts in the program's language come from the program with texts.js; any it
    // does not give stay English.
    var texts = {
        language: "en",
        notFound: "No address found for: ",
        unreachable: "The address search service cannot be reached.",
        attribution: "\u00a9 %1 contributors"
    };
    Object.keys(texts).forEach(function (name) {
        var given = window.LumetraMapTexts && window.LumetraMapTexts[name];
        if (typeof given === "string" && given !== "") {
            texts[name] = given;
        }
    });
    document.documentElement.lang = texts.language;

    // Callbacks travel as text through the bridge the program puts into every page
    // ("LumetraHost"); a browser without it gets the navigation itself.
    function deliver(url) {
        if (window.LumetraHost) {
            window.LumetraHost.navigate(url);
        } else {
            window.location.href = url;
        }
    }

    // The program decodes CMD1 and CMD3 twice, CMD0 and CMD2 once.
    function callback(command, argument, encodings) {
        var text = String(argument);
        for (var i = 0; i < encodings; i++) {
            text = encodeURIComponent(text);
        }
        deliver("handler://" + command + text);
    }

    function message(text) {
        callback("CMD0", text, 1);
    }

    function coordinate(value) {
        var text = value.toFixed(6);
        return text === "-0.000000" ? "0.000000" : text;
    }

    function position(latlng) {
        return coordinate(latlng.lat) + "," + coordinate(latlng.lng);
    }

    function decoded(text) {
        try {
            return decodeURIComponent(String(text));
        } catch (e) {
            return String(text);
        }
    }

    // Descriptions come from files anyone may have written: always shown as text.
    function escapeHtml(text) {
        return String(text).replace(/[&<>"']/g, function (c) { return "&#" + c.charCodeAt(0) + ";"; });
    }

    function point(lat, lng) {
        lat = Number(lat);
        lng = Number(lng);
        return isFinite(lat) && isFinite(lng) ? L.latLng(lat, lng) : null;
    }

    var map = L.map("map", {
        preferCanvas: true,
        center: config.startCenter,
        zoom: config.startZoom,
        worldCopyJump: true
    });
    L.tileLayer(config.tileUrl, {
        attribution: escapeHtml(texts.attribution).replace("%1", config.tileCredit),
        maxZoom: config.tileMaxZoom
    }).addTo(map);

    // POI markers are stamped as pixels into an image of the canvas, from a picture of
    // their circle drawn once per style: a hundred thousand markers then draw in a few
    // hundredths of a second, where the canvas's own drawing of a path each, or of a
    // picture each, takes seconds. Other circles (the search result) are drawn as usual.
    function sameStyle(a, b) {
        return a.fillColor === b.fillColor && a.fillOpacity === b.fillOpacity && a.color === b.color
            && a.opacity === b.opacity && a.weight === b.weight;
    }

    // The circle's pixels around its centre: those fully covered as 32-bit values, those
    // partly covered as colour and coverage to blend.
    function circlePixels(style, radius, scale) {
        var half = Math.ceil((radius + style.weight) * scale);
        var size = 2 * half + 1;
        var canvas = document.createElement("canvas");
        canvas.width = canvas.height = size;
        var ctx = canvas.getContext("2d");
        ctx.translate(half + 0.5, half + 0.5);
        ctx.scale(scale, scale);
        ctx.beginPath();
        ctx.arc(0, 0, radius, 0, Math.PI * 2, false);
        ctx.globalAlpha = style.fillOpacity;
        ctx.fillStyle = style.fillColor;
        ctx.fill();
        ctx.globalAlpha = style.opacity;
        ctx.lineWidth = style.weight;
        ctx.strokeStyle = style.color;
        ctx.stroke();
        var bytes = ctx.getImageData(0, 0, size, size).data;
        var words = new Uint32Array(bytes.buffer);
        var solid = [];
        var blended = [];
        for (var y = 0; y < size; y++) {
            for (var x = 0; x < size; x++) {
                var i = y * size + x;
                var alpha = bytes[4 * i + 3];
                if (alpha === 255) {
                    solid.push(x - half, y - half, words[i]);
                } else if (alpha > 0) {
                    blended.push(x - half, y - half, bytes[4 * i], bytes[4 * i + 1], bytes[4 * i + 2], alpha);
                }
            }
        }
        return { style: style, radius: radius, scale: scale, solid: solid, blended: blended };
    }

    // Stamps the picture centred on (cx, cy), inside the area [x0, x1) x [y0, y1).
    function stamp(picture, image, area, cx, cy) {
        var width = image.width;
        var words = image.words;
        var bytes = image.data;
        var solid = picture.solid;
        for (var i = 0; i < solid.length; i += 3) {
            var x = cx + solid[i];
            var y = cy + solid[i + 1];
            if (x >= area.x0 && y >= area.y0 && x < area.x1 && y < area.y1) {
                words[y * width + x] = solid[i + 2];
            }
        }
        var blended = picture.blended;
        for (var j = 0; j < blended.length; j += 6) {
            var bx = cx + blended[j];
            var by = cy + blended[j + 1];
            if (bx < area.x0 || by < area.y0 || bx >= area.x1 || by >= area.y1) {
                continue;
            }
            var at = 4 * (by * width + bx);
            var sa = blended[j + 5] / 255;
            var da = bytes[at + 3] / 255;
            var oa = sa + da * (1 - sa);
            for (var c = 0; c < 3; c++) {
                bytes[at + c] = (blended[j + 2 + c] * sa + bytes[at + c] * da * (1 - sa)) / oa;
            }
            bytes[at + 3] = oa * 255;
        }
    }

    var PoiCanvas = L.Canvas.extend({
        _draw: function () {
            var ctx = this._ctx;
            var container = this._container;
            var scale = L.Browser.retina ? 2 : 1;
            var origin = this._bounds.min;
            var bounds = this._redrawBounds;
            var width = container.width;
            var height = container.height;
            if (width === 0 || height === 0) {
                return;
            }
            if (!this._image || this._image.width !== width || this._image.height !== height) {
                this._image = ctx.createImageData(width, height);
                this._image.words = new Uint32Array(this._image.data.buffer);
            }
            var image = this._image;
            // Only the area that changed is cleared, stamped and put back: dragging one
            // marker among thousands redraws a few pixels.
            var area = { x0: 0, y0: 0, x1: width, y1: height };
            if (bounds) {
                area.x0 = Math.max(0, Math.floor((bounds.min.x - origin.x) * scale));
                area.y0 = Math.max(0, Math.floor((bounds.min.y - origin.y) * scale));
                area.x1 = Math.min(width, Math.ceil((bounds.max.x - origin.x) * scale));
                area.y1 = Math.min(height, Math.ceil((bounds.max.y - origin.y) * scale));
            }
            if (area.x1 <= area.x0 || area.y1 <= area.y0) {
                return;
            }
            for (var y = area.y0; y < area.y1; y++) {
                image.words.fill(0, y * width + area.x0, y * width + area.x1);
            }
            var others = [];
            var picture = null;
            for (var order = this._drawFirst; order; order = order.next) {
                var layer = order.layer;
                if ((bounds && !(layer._pxBounds && layer._pxBounds.intersects(bounds))) || layer._empty()) {
                    continue;
                }
                if (!layer.options.stamped) {
                    others.push(layer);
                    continue;
                }
                var r = Math.max(Math.round(layer._radius), 1);
                if (!picture || picture.radius !== r || picture.scale !== scale || !sameStyle(picture.style, layer.options)) {
                    picture = this._picture(layer.options, r, scale);
                }
                stamp(picture, image, area, Math.round((layer._point.x - origin.x) * scale),
                    Math.round((layer._point.y - origin.y) * scale));
            }
            ctx.putImageData(image, 0, 0, area.x0, area.y0, area.x1 - area.x0, area.y1 - area.y0);
            if (others.length > 0) {
                ctx.save();
                if (bounds) {
                    var size = bounds.getSize();
                    ctx.beginPath();
                    ctx.rect(bounds.min.x, bounds.min.y, size.x, size.y);
                    ctx.clip();
                }
                this._drawing = true;
                for (var k = 0; k < others.length; k++) {
                    others[k]._updatePath();
                }
                this._drawing = false;
                ctx.restore();
            }
        },

        // Takes every stamped layer off the canvas at once, the others kept in their
        // order, and draws it all again at the next frame.
        _dropStamped: function () {
            var kept = [];
            for (var order = this._drawFirst; order; order = order.next) {
                if (!order.layer.options.stamped) {
                    kept.push(order.layer);
                }
            }
            this._drawFirst = this._drawLast = null;
            this._layers = {};
            kept.forEach(this._initPath, this);
            this._redrawAll = true;
            this._redrawBounds = null;
            if (this._map) {
                this._redrawRequest = this._redrawRequest || L.Util.requestAnimFrame(this._redraw, this);
            }
        },

        // Until a whole redraw has been made, a layer's change widens nothing.
        _extendRedrawBounds: function (layer) {
            if (!this._redrawAll) {
                L.Canvas.prototype._extendRedrawBounds.call(this, layer);
            }
        },

        _redraw: function () {
            L.Canvas.prototype._redraw.call(this);
            this._redrawAll = false;
        },

        _picture: function (style, radius, scale) {
            this._pictures = this._pictures || [];
            for (var i = 0; i < this._pictures.length; i++) {
                var known = this._pictures[i];
                if (known.radius === radius && known.scale === scale && sameStyle(known.style, style)) {
                    return known;
                }
            }
            var made = circlePixels(style, radius, scale);
            this._pictures.push(made);
            return made;
        }
    });

    var renderer = new PoiCanvas({ padding: 0.1 });
    var poiStyle = { renderer: renderer, stamped: true, radius: 7, weight: 2, opacity: 1, color: "#ffffff", fillColor: "#1f6fd1", fillOpacity: 1 };
    var searchStyle = { renderer: renderer, radius: 9, weight: 3, opacity: 1, color: "#ffffff", fillColor: "#d62d20", fillOpacity: 0.95 };
    var labelOptions = { direction: "top", className: "lumetra-label" };
    var poiLayer = L.featureGroup().addTo(map);
    var pois = new Map();
    var highlight = null;
    var search = null;

    function describe(layer) {
        return escapeHtml(layer.lumetraDescription);
    }

    function moved(id, latlng) {
        var poi = pois.get(id);
        if (poi) {
            poi.setLatLng(latlng);
        }
        if (highlight && highlight.lumetraId === id) {
            highlight.setLatLng(latlng);
        }
        callback("CMD1", id + "|" + position(latlng), 2);
    }

    function chosen(marker) {
        callback("CMD3", marker.lumetraId + "|" + position(marker.getLatLng()), 2);
    }

    // Canvas markers have no dragging of their own: a press on one moves it with the
    // mouse until the button is released.
    var drag = null;
    var justDragged = false;

    function startDrag(e) {
        if (e.originalEvent && e.originalEvent.button) {
            return;
        }
        drag = { marker: e.target, start: map.latLngToContainerPoint(e.target.getLatLng()), moved: false };
        map.dragging.disable();
    }

    function followDrag(e) {
        if (!drag) {
            return;
        }
        if (!drag.moved && map.latLngToContainerPoint(e.latlng).distanceTo(drag.start) < config.dragThreshold) {
            return;
        }
        drag.moved = true;
        drag.marker.setLatLng(e.latlng);
    }

    function endDrag() {
        if (!drag) {
            return;
        }
        var done = drag;
        drag = null;
        map.dragging.enable();
        if (!done.moved) {
            return;
        }
        justDragged = true;
        setTimeout(function () { justDragged = false; }, 0);
        moved(done.marker.lumetraId, done.marker.getLatLng().wrap());
    }

    map.on("mousemove", followDrag);
    map.on("mouseup", endDrag);
    L.DomEvent.on(document, "mouseup", endDrag);
    map.on("contextmenu", function (e) {
        callback("CMD2", position(e.latlng.wrap()), 1);
    });

    // One pair of handlers for every POI marker: a hundred thousand markers then cost
    // no closures of their own.
    function choosePoi(e) {
        if (!justDragged) {
            chosen(e.target);
        }
    }

    // A marker's label is made when first wanted, not for every marker added.
    function withLabel(marker) {
        if (!marker.getTooltip()) {
            marker.bindTooltip(describe, labelOptions);
        }
        return marker;
    }

    poiLayer.on("mouseover", function (e) {
        if (!e.layer.getTooltip()) {
            withLabel(e.layer).openTooltip(e.latlng);
        }
    });

    function addPoi(latlng, description, id) {
        var marker = pois.get(id);
        if (marker) {
            marker.setLatLng(latlng);
        } else {
            marker = L.circleMarker(latlng, poiStyle);
            marker.lumetraId = id;
            marker.on("mousedown", startDrag);
            marker.on("click", choosePoi);
            pois.set(id, marker);
            poiLayer.addLayer(marker);
        }
        marker.lumetraDescription = description;
    }

    function removeHighlight() {
        if (highlight) {
            map.removeLayer(highlight);
            highlight = null;
        }
    }

    function showPoint(latlng, description, id) {
        removeHighlight();
        var marker = L.marker(latlng, { draggable: true, zIndexOffset: 1000 });
        marker.lumetraId = id;
        marker.lumetraDescription = description;
        marker.bindTooltip(escapeHtml(description), { permanent: true, direction: "top", className: "lumetra-label" });
        marker.on("dragend", function () {
            moved(id, marker.getLatLng().wrap());
        });
        marker.on("click", function () { chosen(marker); });
        highlight = marker.addTo(map);
        map.setView(latlng, Math.max(map.getZoom(), config.pointZoom));
    }

    function removeSearch() {
        if (search) {
            map.removeLayer(search);
            search = null;
        }
    }

    function showSearch(latlng, text) {
        removeSearch();
        search = L.circleMarker(latlng, searchStyle);
        search.lumetraDescription = text;
        search.bindTooltip(escapeHtml(text), { permanent: true, direction: "top", className: "lumetra-label" });
        search.addTo(map);
        map.setView(latlng, Math.max(map.getZoom(), config.pointZoom));
    }

    function geocode(text) {
        var url = config.geocoderUrl + "?format=json&limit=1&q=" + encodeURIComponent(text);
        fetch(url).then(function (reply) {
            if (!reply.ok) {
                throw new Error("HTTP " + reply.status);
            }
            return reply.json();
        }).then(function (results) {
            var first = Array.isArray(results) && results.length > 0 ? results[0] : null;
            var latlng = first ? point(first.lat, first.lon) : null;
            if (!latlng) {
                message(texts.notFound + text);
                return;
            }
            showSearch(latlng, first.display_name ? String(first.display_name) : text);
            callback("CMD2", position(latlng), 1);
        }).catch(function () {
            message(texts.unreachable);
        });
    }

    // The functions the program calls.
    window.MostraPunto = function (lat, lng, description, id) {
        var latlng = point(lat, lng);
        if (latlng) {
            showPoint(latlng, decoded(description), String(id));
        }
    };

    // Every POI marker off the map in one step: Leaflet removes layers one by one, with
    // events and a redraw request each, which for 100,000 markers takes half a second.
    // This leaves what that would: no POI among the map's, the group's or the canvas's
    // layers, no label of theirs open.
    function removeAllPois() {
        if (drag && pois.get(drag.marker.lumetraId) === drag.marker) {
            drag = null;
            map.dragging.enable();
        }
        pois.forEach(function (marker) {
            if (marker.getTooltip() && marker.isTooltipOpen()) {
                marker.closeTooltip();
            }
            delete map._layers[L.stamp(marker)];
            marker._map = marker._mapToAdd = null;
        });
        renderer._dropStamped();
        poiLayer._layers = {};
        pois.clear();
    }

    window.EliminaTutto = function () {
        removeAllPois();
        removeHighlight();
    };

    window.AggiungiPdi = function (lat, lng, description, id) {
        var latlng = point(lat, lng);
        if (latlng) {
            addPoi(latlng, decoded(description), String(id));
        }
    };

    window.AdattaZoom = function () {
        if (pois.size > 0) {
            map.fitBounds(poiLayer.getBounds(), { padding: [24, 24], maxZoom: config.fitMaxZoom });
        }
    };

    window.EliminaPdi = function (id) {
        id = String(id);
        var marker = pois.get(id);
        if (marker) {
            poiLayer.removeLayer(marker);
            pois.delete(id);
        }
        if (highlight && highlight.lumetraId === id) {
            removeHighlight();
        }
    };

    window.CercaIndirizzo = function (text) {
        geocode(decoded(text));
    };

    window.EliminaPdiRicerca = function () {
        removeSearch();
    };

    window.MostraRicercaTelefono = function (lat, lng, information) {
        var latlng = point(lat, lng);
        if (latlng) {
            showSearch(latlng, decoded(information));
        }
    };

    // The page's state, for whoever needs to read it back (the program's tests).
    function place(layer) {
        if (!layer) {
            return null;
        }
        var latlng = layer.getLatLng();
        return { lat: latlng.lat, lng: latlng.lng, description: layer.lumetraDescription, id: layer.lumetraId || "" };
    }

    window.LumetraMap = {
        config: config,
        map: map,
        poi: function (id) {
            var marker = pois.get(String(id));
            return marker ? withLabel(marker) : null;
        },
        marker: function (id) { return place(pois.get(String(id))); },
        state: function () {
            var center = map.getCenter();
            return {
                markers: pois.size,
                ids: Array.from(pois.keys()),
                highlight: place(highlight),
                search: place(search),
                center: [center.lat, center.lng],
                zoom: map.getZoom(),
                channel: !!(window.LumetraHost && window.LumetraHost.ready())
            };
        }
    };
}());
