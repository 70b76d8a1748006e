// Lumetra's map page. The program drives it through the eight functions at the end,
// one call at a time or many in one message (LumetraCalls);
// the page answers through "handler://" callbacks: CMD0 a message, CMD1 a POI marker
// moved, CMD2 a position picked, CMD3 a POI marker chosen.
(function () {
    "use strict";

    // Everything the page takes from outside, in one place.
    var config = {
        tileUrl: "https://tile.openstreetmap.org/{z}/{x}/{y}.png",
        tileAttribution: "&copy; <a href=\"https://www.openstreetmap.org/copyright\">OpenStreetMap</a> contributors",
        tileMaxZoom: 19,
        geocoderUrl: "https://nominatim.openstreetmap.org/search",
        startCenter: [42.5, 12.5],
        startZoom: 6,
        pointZoom: 15,
        fitMaxZoom: 16,
        dragThreshold: 4
    };

    var texts = {
        notFound: "Nessun indirizzo trovato per: ",
        unreachable: "Il servizio di ricerca degli indirizzi non \u00e8 raggiungibile."
    };

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
    L.tileLayer(config.tileUrl, { attribution: config.tileAttribution, maxZoom: config.tileMaxZoom }).addTo(map);

    // POI markers are drawn on one canvas, in runs of one style: a run is one path filled
    // once and stroked once, so a hundred thousand markers draw in a few hundredths of a
    // second where a fill and a stroke each would take seconds.
    function sameStyle(a, b) {
        return a.fillColor === b.fillColor && a.fillOpacity === b.fillOpacity && a.color === b.color
            && a.opacity === b.opacity && a.weight === b.weight;
    }

    function paint(ctx, style) {
        ctx.globalAlpha = style.fillOpacity;
        ctx.fillStyle = style.fillColor;
        ctx.fill("nonzero");
        ctx.globalAlpha = style.opacity;
        ctx.lineWidth = style.weight;
        ctx.strokeStyle = style.color;
        ctx.stroke();
    }

    var PoiCanvas = L.Canvas.extend({
        _draw: function () {
            var ctx = this._ctx;
            var bounds = this._redrawBounds;
            ctx.save();
            if (bounds) {
                var size = bounds.getSize();
                ctx.beginPath();
                ctx.rect(bounds.min.x, bounds.min.y, size.x, size.y);
                ctx.clip();
            }
            var style = null;
            for (var order = this._drawFirst; order; order = order.next) {
                var layer = order.layer;
                if ((bounds && !(layer._pxBounds && layer._pxBounds.intersects(bounds))) || layer._empty()) {
                    continue;
                }
                if (!style || !sameStyle(style, layer.options)) {
                    if (style) {
                        paint(ctx, style);
                    }
                    style = layer.options;
                    ctx.beginPath();
                }
                var p = layer._point;
                var r = Math.max(Math.round(layer._radius), 1);
                ctx.moveTo(p.x + r, p.y);
                ctx.arc(p.x, p.y, r, 0, Math.PI * 2, false);
            }
            if (style) {
                paint(ctx, style);
            }
            ctx.restore();
        }
    });

    var renderer = new PoiCanvas({ padding: 0.5 });
    var poiStyle = { renderer: renderer, radius: 7, weight: 2, opacity: 1, color: "#ffffff", fillColor: "#1f6fd1", fillOpacity: 0.9 };
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

    window.EliminaTutto = function () {
        poiLayer.clearLayers();
        pois.clear();
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

    var pageFunctions = {
        MostraPunto: window.MostraPunto,
        EliminaTutto: window.EliminaTutto,
        AggiungiPdi: window.AggiungiPdi,
        AdattaZoom: window.AdattaZoom,
        EliminaPdi: window.EliminaPdi,
        CercaIndirizzo: window.CercaIndirizzo,
        EliminaPdiRicerca: window.EliminaPdiRicerca,
        MostraRicercaTelefono: window.MostraRicercaTelefono
    };

    // Many calls in one message, each [function name, its arguments...], applied in
    // order in one go, so the canvas draws what they did once. A call that fails, or
    // names no function of the page, keeps none of the others from running.
    window.LumetraCalls = function (calls) {
        for (var i = 0; i < calls.length; i++) {
            var call = calls[i];
            var f = Array.isArray(call) && Object.prototype.hasOwnProperty.call(pageFunctions, call[0])
                ? pageFunctions[call[0]] : null;
            if (f) {
                try {
                    f.apply(null, call.slice(1));
                } catch (e) {
                    // The next call runs all the same.
                }
            }
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
